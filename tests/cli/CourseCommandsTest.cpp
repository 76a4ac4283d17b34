#include "cli/CliFixture.h"

#include <QDate>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

// Three Monday-to-Friday weeks from 8 September 2025, Math and Art every day.
class CourseCommandsTest : public CliFixture {
protected:
    void SetUp() override { m_file = newTraditionalYear({ S("Math"), S("Art") }); }

    // Dates of the school days holding the course.
    QStringList datesWith(const QString& course) const
    {
        QStringList dates;
        for (const QJsonValue& day : schoolDays(m_file)) {
            if (lessonCourses(day.toObject()).contains(course))
                dates << day[u"date"].toString().mid(5);
        }
        return dates;
    }

    QStringList courseNames() const
    {
        QStringList names;
        for (const QJsonValue& course : info(m_file)[u"courses"].toArray())
            names << course[u"name"].toString();
        return names;
    }

    QString m_file;
};

TEST_F(CourseCommandsTest, AddCourseOnWeekdaysWithinARangeMakesTheYearWeekly)
{
    runOk({ S("add-course"), m_file, S("--name"), S("Music"), S("--days"), S("mon,wed"), S("--from"), S("2025-09-10"),
        S("--to"), S("2025-09-22") });
    EXPECT_EQ(datesWith(S("Music")), (QStringList { "09-10", "09-15", "09-17", "09-22" }));
    EXPECT_EQ(info(m_file)[u"schedule"].toString(), S("weekly"));
    EXPECT_EQ(courseNames(), (QStringList { "Math", "Art", "Music" }));

    runOk({ S("add-course"), m_file, S("--existing"), S("Music"), S("--days"), S("fri") });
    EXPECT_EQ(datesWith(S("Music")), (QStringList { "09-10", "09-12", "09-15", "09-17", "09-19", "09-22", "09-26" }));
}

TEST_F(CourseCommandsTest, AddCourseRefusesATakenNameOrMissingDaysAndLeavesTheFileAlone)
{
    const QByteArray before = fileHash(m_file);
    const CliRun taken = run({ S("add-course"), m_file, S("--name"), S("Math"), S("--days"), S("mon") });
    EXPECT_EQ(taken.exitCode, 1);
    EXPECT_TRUE(taken.errors.contains(S("Course Already Exists"))) << taken.errors.toStdString();
    EXPECT_EQ(run({ S("add-course"), m_file, S("--name"), S("Music"), S("--days"), S("sat") }).exitCode, 1);
    EXPECT_EQ(run({ S("add-course"), m_file, S("--name"), S("Music"), S("--types"), S("0") }).exitCode, 1);
    EXPECT_EQ(run({ S("add-course"), m_file, S("--name"), S("Music") }).exitCode, 1);
    EXPECT_EQ(fileHash(m_file), before);
}

TEST_F(CourseCommandsTest, AddCourseByTypeOrByWeekdayInARotatingYear)
{
    const QString file = path(S("ab.semestra"));
    runOk({ S("new"), file, S("--start"), S("2025-09-08"), S("--end"), S("2025-09-19"), S("--days"),
        S("mon,tue,wed,thu,fri"), S("--schedule"), S("ab"), S("--course"), S("Math"), S("--meets"), S("Math=0,1") });
    m_file = file;
    runOk({ S("add-course"), file, S("--name"), S("Music"), S("--types"), S("1") });
    for (const QJsonValue& day : schoolDays(file))
        EXPECT_EQ(lessonCourses(day.toObject()).contains(S("Music")), day[u"dayType"].toInt() == 1);

    EXPECT_EQ(run({ S("add-course"), file, S("--name"), S("Choir"), S("--days"), S("tue") }).exitCode, 1);
    runOk({ S("add-course"), file, S("--name"), S("Choir"), S("--days"), S("tue"), S("--by-weekday") });
    for (const QJsonValue& day : schoolDays(file)) {
        const bool tuesday = weekdayOf(day.toObject()) == 2;
        EXPECT_EQ(lessonCourses(day.toObject()).contains(S("Choir")), tuesday);
        EXPECT_EQ(day[u"custom"].toBool(), tuesday);
        EXPECT_EQ(day[u"name"].toString(), tuesday ? S("Custom Day 1") : QString());
    }
}

TEST_F(CourseCommandsTest, RemoveCourseFromSomeDaysThenFromAllOfThem)
{
    EXPECT_EQ(run({ S("remove-course"), m_file, S("--name"), S("Art"), S("--days"), S("mon") }).exitCode, 1);
    const CliRun some
        = runOk({ S("remove-course"), m_file, S("--name"), S("Art"), S("--days"), S("mon,fri"), S("--yes") });
    EXPECT_TRUE(some.out.contains(S("Lessons in the course Art were deleted on Mondays, Fridays.")))
        << some.out.toStdString();
    for (const QJsonValue& day : schoolDays(m_file)) {
        const int weekday = weekdayOf(day.toObject());
        EXPECT_EQ(lessonCourses(day.toObject()).contains(S("Art")), weekday != 1 && weekday != 5);
    }

    runOk({ S("remove-course"), m_file, S("--name"), S("Art"), S("--all"), S("--yes") });
    EXPECT_EQ(courseNames(), QStringList { S("Math") });
    EXPECT_TRUE(datesWith(S("Art")).isEmpty());
    EXPECT_EQ(datesWith(S("Math")).size(), 15);
}

TEST_F(CourseCommandsTest, RemoveCourseThatWouldEmptyADayIsRefusedWithTheAlertText)
{
    runOk({ S("remove-course"), m_file, S("--name"), S("Art"), S("--days"), S("wed"), S("--yes") });
    const QByteArray before = fileHash(m_file);
    const CliRun blocked
        = run({ S("remove-course"), m_file, S("--name"), S("Math"), S("--days"), S("wed"), S("--yes") });
    EXPECT_EQ(blocked.exitCode, 1);
    EXPECT_TRUE(blocked.errors.contains(S("Cannot remove course from selected days"))) << blocked.errors.toStdString();
    EXPECT_EQ(fileHash(m_file), before);
}

TEST_F(CourseCommandsTest, CourseColorIsSavedAndMalformedColoursAreRefused)
{
    runOk({ S("course-color"), m_file, S("--course"), S("Art"), S("--rgb"), S("#12abfe") });
    EXPECT_EQ(info(m_file)[u"courses"].toArray().at(1)[u"color"].toString(), S("#12abfe"));
    const QByteArray before = fileHash(m_file);
    EXPECT_EQ(run({ S("course-color"), m_file, S("--course"), S("Art"), S("--rgb"), S("blue") }).exitCode, 1);
    EXPECT_EQ(run({ S("course-color"), m_file, S("--course"), S("Gym"), S("--rgb"), S("#000000") }).exitCode, 1);
    EXPECT_EQ(fileHash(m_file), before);
}
