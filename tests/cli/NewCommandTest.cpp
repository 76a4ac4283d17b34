#include "cli/CliFixture.h"

#include <QFile>
#include <QJsonDocument>

namespace {

QStringList newArguments(const QString& file, const QString& start, const QString& end, const QString& days)
{
    return { QStringLiteral("new"), file, QStringLiteral("--start"), start, QStringLiteral("--end"), end,
        QStringLiteral("--days"), days };
}

} // namespace

class NewCommandTest : public CliFixture {
protected:
    QString file() const { return path(QStringLiteral("year.semestra")); }
};

TEST_F(NewCommandTest, TraditionalYearHasEveryCourseOnEveryTeachingDayInOrder)
{
    runOk(
        newArguments(file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-26"), QStringLiteral("mon,wed,fri"))
        << QStringLiteral("--course") << QStringLiteral("Math") << QStringLiteral("--course") << QStringLiteral("Art"));

    const QJsonArray all = days(file());
    ASSERT_EQ(all.size(), 9);
    QString previous;
    for (const QJsonValue& value : all) {
        const QJsonObject day = value.toObject();
        EXPECT_GT(day[u"date"].toString(), previous);
        previous = day[u"date"].toString();
        EXPECT_TRUE(QList<int>({ 1, 3, 5 }).contains(weekdayOf(day))) << previous.toStdString();
        EXPECT_EQ(day[u"kind"].toString(), u"school");
        EXPECT_EQ(lessonCourses(day), QStringList({ QStringLiteral("Math"), QStringLiteral("Art") }));
        EXPECT_EQ(day[u"lessons"][1][u"position"].toInt(), 1);
        EXPECT_FALSE(day[u"lessons"][0][u"hasData"].toBool());
    }
    EXPECT_EQ(all.first()[u"date"].toString(), u"2025-09-08");
    EXPECT_EQ(all.last()[u"week"].toInt(), 3);
    EXPECT_EQ(info(file())[u"schedule"].toString(), u"traditional");
}

TEST_F(NewCommandTest, WeeklyYearPutsEachCourseOnItsWeekdays)
{
    runOk(
        newArguments(file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-19"), QStringLiteral("mon,tue,wed"))
        << QStringLiteral("--schedule") << QStringLiteral("weekly") << QStringLiteral("--course")
        << QStringLiteral("Math") << QStringLiteral("--course") << QStringLiteral("Art") << QStringLiteral("--course")
        << QStringLiteral("Choir") << QStringLiteral("--meets") << QStringLiteral("Math=mon,wed")
        << QStringLiteral("--meets") << QStringLiteral("Art=tue"));

    const QJsonArray all = days(file());
    ASSERT_EQ(all.size(), 6);
    for (const QJsonValue& day : all) {
        const QStringList expected = weekdayOf(day.toObject()) == 2 ? QStringList { QStringLiteral("Art") }
                                                                    : QStringList { QStringLiteral("Math") };
        EXPECT_EQ(lessonCourses(day.toObject()), expected) << day[u"date"].toString().toStdString();
    }
    const QJsonObject year = info(file());
    EXPECT_EQ(year[u"schedule"].toString(), u"weekly");
    EXPECT_EQ(year[u"courses"][2][u"name"].toString(), u"Choir");
    EXPECT_EQ(year[u"courses"][2][u"lessons"].toInt(), 0);
}

TEST_F(NewCommandTest, AbYearAlternatesDayTypesAcrossWeekends)
{
    runOk(newArguments(
              file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-19"), QStringLiteral("mon,tue,wed,thu,fri"))
        << QStringLiteral("--schedule") << QStringLiteral("ab") << QStringLiteral("--course") << QStringLiteral("Math")
        << QStringLiteral("--course") << QStringLiteral("Art") << QStringLiteral("--meets") << QStringLiteral("Math=0")
        << QStringLiteral("--meets") << QStringLiteral("Art=1,0"));

    const QJsonArray school = schoolDays(file());
    ASSERT_EQ(school.size(), 10);
    for (qsizetype i = 0; i < school.size(); ++i) {
        const QJsonObject day = school.at(i).toObject();
        EXPECT_EQ(day[u"dayType"].toInt(), i % 2);
        EXPECT_EQ(lessonCourses(day),
            i % 2 == 0 ? QStringList({ QStringLiteral("Math"), QStringLiteral("Art") })
                       : QStringList { QStringLiteral("Art") });
    }
    const QJsonObject year = info(file());
    EXPECT_EQ(year[u"schedule"].toString(), u"rotating");
    EXPECT_EQ(year[u"rotationLength"].toInt(), 2);
}

TEST_F(NewCommandTest, RotatingYearCancelsTeachingDaysBeforeTheStartAndCyclesItsDays)
{
    // Starts on a Wednesday: the Monday and Tuesday of the first week are
    // cancelled rather than taking the first day types.
    runOk(newArguments(
              file(), QStringLiteral("2025-09-10"), QStringLiteral("2025-09-26"), QStringLiteral("mon,tue,wed,thu,fri"))
        << QStringLiteral("--schedule") << QStringLiteral("rotating") << QStringLiteral("--rotation")
        << QStringLiteral("3") << QStringLiteral("--course") << QStringLiteral("Math") << QStringLiteral("--meets")
        << QStringLiteral("Math=2"));

    const QJsonArray all = days(file());
    ASSERT_GE(all.size(), 2);
    EXPECT_EQ(all.at(0)[u"kind"].toString(), u"cancelled");
    EXPECT_EQ(all.at(1)[u"kind"].toString(), u"cancelled");
    EXPECT_TRUE(all.at(0)[u"lessons"].toArray().isEmpty());
    const QJsonArray school = schoolDays(file());
    ASSERT_EQ(school.size(), 13);
    EXPECT_EQ(school.first()[u"date"].toString(), u"2025-09-10");
    for (qsizetype i = 0; i < school.size(); ++i) {
        EXPECT_EQ(school.at(i)[u"dayType"].toInt(), i % 3);
        EXPECT_EQ(school.at(i)[u"lessons"].toArray().size(), i % 3 == 2 ? 1 : 0);
    }
    EXPECT_EQ(info(file())[u"rotationLength"].toInt(), 3);
}

TEST_F(NewCommandTest, WizardRefusalsShowTheAlertAndWriteNoFile)
{
    const QList<std::pair<QStringList, QString>> refusals {
        { newArguments(file(), QStringLiteral("2025-09-26"), QStringLiteral("2025-09-08"), QStringLiteral("mon"))
                << QStringLiteral("--course") << QStringLiteral("Math"),
            QStringLiteral("Date Range Too Short") },
        { newArguments(file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-12"), QStringLiteral("mon"))
                << QStringLiteral("--course") << QStringLiteral("Math"),
            QStringLiteral("Date Range Too Short") },
        { newArguments(file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-26"), QStringLiteral("mon")),
            QStringLiteral("No Courses Entered") },
        { newArguments(file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-26"), QStringLiteral("mon"))
                << QStringLiteral("--course") << QStringLiteral("Math") << QStringLiteral("--course")
                << QStringLiteral("Math"),
            QStringLiteral("Course already exists!") },
    };
    for (const auto& [arguments, title] : refusals) {
        const CliRun result = run(arguments);
        EXPECT_NE(result.exitCode, 0) << title.toStdString();
        EXPECT_TRUE(result.errors.contains(title)) << result.errors.toStdString();
        EXPECT_EQ(result.errors.count(u'\n'), 1) << result.errors.toStdString();
        EXPECT_FALSE(QFile::exists(file()));
    }
}

TEST_F(NewCommandTest, MeetingsMustNameKnownCoursesAndDays)
{
    const QStringList base
        = newArguments(file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-26"), QStringLiteral("mon,tue"))
        << QStringLiteral("--course") << QStringLiteral("Math");
    const QList<QStringList> bad {
        base
            + QStringList { QStringLiteral("--schedule"), QStringLiteral("weekly"), QStringLiteral("--meets"),
                QStringLiteral("Math=wed") },
        base
            + QStringList { QStringLiteral("--schedule"), QStringLiteral("weekly"), QStringLiteral("--meets"),
                QStringLiteral("Art=mon") },
        base
            + QStringList { QStringLiteral("--schedule"), QStringLiteral("ab"), QStringLiteral("--meets"),
                QStringLiteral("Math=2") },
        base + QStringList { QStringLiteral("--schedule"), QStringLiteral("rotating") },
        base + QStringList { QStringLiteral("--meets"), QStringLiteral("Math=mon") },
        base + QStringList { QStringLiteral("--schedule"), QStringLiteral("daily") },
        base + QStringList { QStringLiteral("--start"), QStringLiteral("2025-13-01") },
    };
    for (const QStringList& arguments : bad) {
        const CliRun result = run(arguments);
        EXPECT_NE(result.exitCode, 0) << arguments.join(u' ').toStdString();
        EXPECT_TRUE(result.errors.startsWith(u"semestra-cli: ")) << result.errors.toStdString();
        EXPECT_FALSE(QFile::exists(file()));
    }
}

TEST_F(NewCommandTest, ReplacesAnExistingFileOnlyWhenForced)
{
    newTraditionalYear({ QStringLiteral("Math") });
    const QByteArray before = fileHash(file());
    const QStringList again
        = newArguments(file(), QStringLiteral("2025-09-08"), QStringLiteral("2025-09-26"), QStringLiteral("mon"))
        << QStringLiteral("--course") << QStringLiteral("Art");

    const CliRun refused = run(again);
    EXPECT_NE(refused.exitCode, 0);
    EXPECT_TRUE(refused.errors.contains(u"--force"));
    EXPECT_EQ(fileHash(file()), before);

    runOk(again + QStringList { QStringLiteral("--force") });
    const QJsonObject year = info(file());
    ASSERT_EQ(year[u"courses"].toArray().size(), 1);
    EXPECT_EQ(year[u"courses"][0][u"name"].toString(), u"Art");
    EXPECT_EQ(year[u"courses"][0][u"lessons"].toInt(), 3);
}

TEST_F(NewCommandTest, ANewYearHasNamedLessonFieldsOfWhichTheFirstTwoShow)
{
    const QString year = newTraditionalYear({ QStringLiteral("Math") });
    const QJsonObject lesson = QJsonDocument::fromJson(
        runOk({ QStringLiteral("lesson"), year, QStringLiteral("--course"), QStringLiteral("Math"),
                  QStringLiteral("--date"), QStringLiteral("2025-09-08"), QStringLiteral("--json") })
            .out.toUtf8())
                                   .object();
    const QJsonObject fields = lesson[u"fields"].toObject();
    EXPECT_EQ(fields[u"lessonBody"][u"label"].toString(), u"Plan");
    EXPECT_TRUE(fields[u"lessonBody"][u"shown"].toBool());
    EXPECT_EQ(fields[u"homework"][u"label"].toString(), u"Homework");
    EXPECT_TRUE(fields[u"homework"][u"shown"].toBool());
    EXPECT_EQ(fields[u"publicComment"][u"label"].toString(), u"Notes for Families");
    for (const char16_t* hidden : { u"publicComment", u"custom1", u"custom2", u"custom3" }) {
        EXPECT_FALSE(fields[hidden][u"shown"].toBool());
        EXPECT_FALSE(fields[hidden][u"label"].toString().isEmpty());
    }
}
