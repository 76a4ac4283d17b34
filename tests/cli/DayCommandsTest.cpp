#include "cli/CliFixture.h"

namespace {

QString arg(const char* text)
{
    return QString::fromLatin1(text);
}

} // namespace

// Calendar changes end to end: a rotating three-week year (Math every day,
// Art on day type 0) and a traditional one.
class DayCommandsTest : public CliFixture {
protected:
    QString rotatingYear() const
    {
        const QString file = path(QStringLiteral("rotating.semestra"));
        runOk({ arg("new"), file, arg("--start"), arg("2025-09-08"), arg("--end"), arg("2025-09-26"), arg("--days"),
            arg("mon,tue,wed,thu,fri"), arg("--schedule"), arg("rotating"), arg("--rotation"), arg("3"),
            arg("--course"), arg("Math"), arg("--course"), arg("Art"), arg("--meets"), arg("Math=0,1,2"),
            arg("--meets"), arg("Art=0") });
        return file;
    }

    void setTitle(const QString& file, const QString& course, const QString& date, const QString& title) const
    {
        runOk({ arg("set-lesson"), file, arg("--course"), course, arg("--date"), date, arg("--title"), title });
    }

    // Each school day as "date type courses:titles".
    QStringList plan(const QString& file) const
    {
        QStringList result;
        for (const QJsonValue& day : schoolDays(file)) {
            QString line = day[u"date"].toString() + QLatin1Char(' ') + QString::number(day[u"dayType"].toInt());
            for (const QJsonValue& lesson : day[u"lessons"].toArray())
                line
                    += QLatin1Char(' ') + lesson[u"course"].toString() + QLatin1Char(':') + lesson[u"title"].toString();
            result << line;
        }
        return result;
    }

    QJsonObject dayOn(const QString& file, const QString& date) const
    {
        for (const QJsonValue& day : days(file)) {
            if (day[u"date"].toString() == date)
                return day.toObject();
        }
        return {};
    }

    // Runs a command that must fail and checks the file did not change.
    void expectRefused(const QString& file, const QStringList& arguments, const QString& error) const
    {
        const QByteArray before = fileHash(file);
        const CliRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 1) << qPrintable(result.errors);
        EXPECT_TRUE(result.errors.contains(error)) << qPrintable(result.errors);
        EXPECT_EQ(fileHash(file), before);
    }
};

TEST_F(DayCommandsTest, HolidayThenRestoreGivesTheRotationBack)
{
    const QString file = rotatingYear();
    setTitle(file, arg("Math"), arg("2025-09-10"), arg("Fractions"));
    setTitle(file, arg("Art"), arg("2025-09-11"), arg("Clay"));
    const QStringList before = plan(file);

    runOk({ arg("holiday"), file, arg("--date"), arg("2025-09-10"), arg("--name"), arg("Fair") });
    const QJsonObject holiday = dayOn(file, arg("2025-09-10"));
    EXPECT_EQ(holiday[u"kind"].toString(), arg("holiday"));
    EXPECT_EQ(holiday[u"name"].toString(), arg("Fair"));
    EXPECT_EQ(plan(file).at(2).section(QLatin1Char(' '), 1), before.at(2).section(QLatin1Char(' '), 1));

    runOk({ arg("restore"), file, arg("--date"), arg("2025-09-10") });
    const QStringList after = plan(file);
    EXPECT_EQ(after.mid(0, 14), before.mid(0, 14));
    EXPECT_EQ(dayOn(file, arg("2025-09-10"))[u"name"].toString(), QString());
}

TEST_F(DayCommandsTest, CancelBumpsOrDeletesAndHolidayIsRefusedInATraditionalYear)
{
    const QString file = newTraditionalYear({ arg("Math") });
    setTitle(file, arg("Math"), arg("2025-09-09"), arg("One"));
    setTitle(file, arg("Math"), arg("2025-09-10"), arg("Two"));

    expectRefused(file, { arg("holiday"), file, arg("--date"), arg("2025-09-09") }, arg("use cancel"));
    expectRefused(file, { arg("cancel"), file, arg("--date"), arg("2025-09-09") }, arg("--bump or --delete"));
    runOk({ arg("cancel"), file, arg("--date"), arg("2025-09-09"), arg("--bump") });
    EXPECT_EQ(dayOn(file, arg("2025-09-09"))[u"kind"].toString(), arg("cancelled"));
    EXPECT_EQ(dayOn(file, arg("2025-09-10"))[u"lessons"][0][u"title"].toString(), arg("One"));
    EXPECT_EQ(dayOn(file, arg("2025-09-11"))[u"lessons"][0][u"title"].toString(), arg("Two"));

    runOk({ arg("cancel"), file, arg("--date"), arg("2025-09-10"), arg("--delete") });
    EXPECT_EQ(dayOn(file, arg("2025-09-11"))[u"lessons"][0][u"title"].toString(), arg("Two"));
    expectRefused(file, { arg("cancel"), file, arg("--date"), arg("2025-09-10"), arg("--delete") },
        arg("already a non-school day"));
}

TEST_F(DayCommandsTest, ExtendNonSchoolCoversTheRangeAndKeepsDaysAlreadyOff)
{
    const QString file = newTraditionalYear({ arg("Math") });
    runOk({ arg("cancel"), file, arg("--date"), arg("2025-09-17"), arg("--delete") });
    runOk({ arg("cancel"), file, arg("--date"), arg("2025-09-15"), arg("--delete") });
    expectRefused(file,
        { arg("extend-nonschool"), file, arg("--date"), arg("2025-09-15"), arg("--to"), arg("2025-09-12"),
            arg("--delete") },
        arg("before"));
    runOk({ arg("extend-nonschool"), file, arg("--date"), arg("2025-09-15"), arg("--to"), arg("2025-09-18"),
        arg("--delete") });
    for (const char* date : { "2025-09-16", "2025-09-17", "2025-09-18" })
        EXPECT_EQ(dayOn(file, arg(date))[u"kind"].toString(), arg("cancelled")) << date;
    EXPECT_EQ(dayOn(file, arg("2025-09-19"))[u"kind"].toString(), arg("school"));
}

TEST_F(DayCommandsTest, CustomDaysAreCreatedAppliedAndNamedOnce)
{
    const QString file = newTraditionalYear({ arg("Math"), arg("Art") });
    runOk({ arg("custom-day"), file, arg("--date"), arg("2025-09-09"), arg("--name"), arg("Assembly"), arg("--course"),
        arg("Art") });
    QJsonObject day = dayOn(file, arg("2025-09-09"));
    EXPECT_TRUE(day[u"custom"].toBool());
    EXPECT_EQ(day[u"name"].toString(), arg("Assembly"));
    EXPECT_EQ(lessonCourses(day), QStringList { arg("Art") });

    expectRefused(file,
        { arg("custom-day"), file, arg("--date"), arg("2025-09-10"), arg("--name"), arg("Assembly"), arg("--course"),
            arg("Math") },
        arg("A Custom Day With That Name Already Exists"));
    runOk({ arg("custom-day"), file, arg("--date"), arg("2025-09-10"), arg("--apply"), arg("Assembly") });
    day = dayOn(file, arg("2025-09-10"));
    EXPECT_EQ(day[u"name"].toString(), arg("Assembly"));
    EXPECT_EQ(lessonCourses(day), QStringList { arg("Art") });
    runOk({ arg("custom-day"), file, arg("--date"), arg("2025-09-11"), arg("--course"), arg("Math") });
    EXPECT_EQ(dayOn(file, arg("2025-09-11"))[u"name"].toString(), arg("Custom Day 1"));
    expectRefused(file, { arg("custom-day"), file, arg("--date"), arg("2025-09-12"), arg("--apply"), arg("Nope") },
        arg("no custom day named"));
}

TEST_F(DayCommandsTest, ConvertAddAndRemoveChangeOneDay)
{
    const QString file = rotatingYear();
    runOk({ arg("convert-day"), file, arg("--date"), arg("2025-09-09"), arg("--to"), arg("0") });
    QJsonObject day = dayOn(file, arg("2025-09-09"));
    EXPECT_EQ(day[u"dayType"].toInt(), 0);
    EXPECT_FALSE(day[u"custom"].toBool());
    EXPECT_EQ(lessonCourses(day), (QStringList { arg("Math"), arg("Art") }));
    expectRefused(file, { arg("convert-day"), file, arg("--date"), arg("2025-09-09"), arg("--to"), arg("3") },
        arg("not a schedule"));

    runOk({ arg("add-to-day"), file, arg("--date"), arg("2025-09-10"), arg("--course"), arg("Art") });
    day = dayOn(file, arg("2025-09-10"));
    EXPECT_TRUE(day[u"custom"].toBool());
    EXPECT_EQ(day[u"name"].toString(), arg("Custom Day 1"));
    EXPECT_TRUE(lessonCourses(day).contains(arg("Art")));

    setTitle(file, arg("Math"), arg("2025-09-11"), arg("Keep"));
    expectRefused(file, { arg("remove-lesson"), file, arg("--date"), arg("2025-09-11"), arg("--course"), arg("Math") },
        arg("--bump"));
    runOk(
        { arg("remove-lesson"), file, arg("--date"), arg("2025-09-11"), arg("--course"), arg("Math"), arg("--bump") });
    EXPECT_EQ(lessonCourses(dayOn(file, arg("2025-09-11"))), QStringList { arg("Art") });
    EXPECT_TRUE(dayOn(file, arg("2025-09-11"))[u"custom"].toBool());
    EXPECT_EQ(dayOn(file, arg("2025-09-12"))[u"lessons"][0][u"title"].toString(), arg("Keep"));
}

TEST_F(DayCommandsTest, ConvertInATraditionalYearTakesAWeekday)
{
    const QString file = newTraditionalYear({ arg("Math") });
    runOk({ arg("convert-day"), file, arg("--date"), arg("2025-09-09"), arg("--to"), arg("friday") });
    EXPECT_TRUE(dayOn(file, arg("2025-09-09"))[u"custom"].toBool());
    runOk({ arg("convert-day"), file, arg("--date"), arg("2025-09-09"), arg("--to"), arg("tue") });
    EXPECT_FALSE(dayOn(file, arg("2025-09-09"))[u"custom"].toBool());
    expectRefused(file, { arg("convert-day"), file, arg("--date"), arg("2025-09-09"), arg("--to"), arg("sat") },
        arg("not a schedule"));
}

TEST_F(DayCommandsTest, WeeksAreAddedAtBothEndsAndTheRotationRestarts)
{
    const QString file = rotatingYear();
    runOk({ arg("insert-week"), file });
    runOk({ arg("append-week"), file });
    const QJsonObject year = info(file);
    EXPECT_EQ(year[u"startDate"].toString(), arg("2025-08-31"));
    EXPECT_EQ(year[u"weeks"].toInt(), 5);
    const QJsonArray school = schoolDays(file);
    ASSERT_EQ(school.size(), 25);
    EXPECT_EQ(school.last()[u"date"].toString(), arg("2025-10-03"));
    for (qsizetype i = 1; i < school.size(); ++i)
        EXPECT_EQ(school[i][u"dayType"].toInt(), (school[i - 1][u"dayType"].toInt() + 1) % 3) << i;

    setTitle(file, arg("Math"), arg("2025-09-17"), arg("Gone"));
    runOk({ arg("restart-rotation"), file, arg("--date"), arg("2025-09-16"), arg("--type"), arg("2") });
    const QJsonObject restarted = dayOn(file, arg("2025-09-16"));
    EXPECT_EQ(restarted[u"dayType"].toInt(), 2);
    EXPECT_EQ(dayOn(file, arg("2025-09-17"))[u"dayType"].toInt(), 0);
    EXPECT_EQ(dayOn(file, arg("2025-09-17"))[u"lessons"][0][u"title"].toString(), QString());
    expectRefused(file, { arg("restart-rotation"), file, arg("--date"), arg("2025-09-16"), arg("--type"), arg("3") },
        arg("--type must be from 0 to 2"));
}

TEST_F(DayCommandsTest, EveryCommandHasHelp)
{
    const CliRun help = runOk({ arg("--help") });
    for (const char* command :
        { "holiday FILE", "cancel FILE", "restore FILE", "extend-nonschool FILE", "custom-day FILE", "convert-day FILE",
            "add-to-day FILE", "remove-lesson FILE", "insert-week FILE", "append-week FILE", "restart-rotation FILE" })
        EXPECT_TRUE(help.out.contains(arg(command))) << command;
}
