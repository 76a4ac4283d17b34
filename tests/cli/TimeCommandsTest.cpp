#include "cli/CliFixture.h"

#include <QJsonDocument>

namespace {

QString S(const char* text)
{
    return QString::fromUtf8(text);
}

} // namespace

class TimeCommandsTest : public CliFixture {
protected:
    QJsonObject table(const QString& file) const
    {
        return QJsonDocument::fromJson(runOk({ S("times"), file, S("--json") }).out.toUtf8()).object();
    }
    // Start-end of each lesson of the course, in date order.
    QStringList timesOf(const QString& file, const QString& course) const
    {
        QStringList times;
        for (const QJsonValue& day : schoolDays(file)) {
            for (const QJsonValue& lesson : day[u"lessons"].toArray()) {
                if (lesson[u"course"].toString() == course)
                    times << lesson[u"start"].toString(S("none")) + u'-' + lesson[u"end"].toString(S("none"));
            }
        }
        return times;
    }
};

TEST_F(TimeCommandsTest, ATraditionalYearHasOnePairOfColumnsAndSetTimesFillsEveryDay)
{
    const QString file = newTraditionalYear({ S("Math"), S("Art") });
    const QJsonObject before = table(file);
    EXPECT_EQ(before[u"columns"].toArray(), QJsonArray({ S("Start Time"), S("End Time") }));
    ASSERT_EQ(before[u"rows"].toArray().size(), 2);
    // A year just built has no times: the cells are there, empty.
    EXPECT_TRUE(before[u"rows"].toArray().at(0)[u"cells"][u"Start Time"].isNull());

    runOk({ S("set-times"), file, S("--course"), S("Art"), S("--day"), S("all"), S("--start"), S("02:05"), S("--end"),
        S("14:50") });
    EXPECT_EQ(table(file)[u"rows"].toArray().at(1)[u"cells"][u"Start Time"].toString(), S("02:05"));
    EXPECT_EQ(timesOf(file, S("Art")), QStringList(15, S("02:05-14:50")));
    EXPECT_EQ(timesOf(file, S("Math")), QStringList(15, S("none-none")));

    const QByteArray hash = fileHash(file);
    EXPECT_EQ(run({ S("set-times"), file, S("--course"), S("Art"), S("--day"), S("mon"), S("--start"), S("08:00"),
                      S("--end"), S("09:00") })
                  .exitCode,
        1);
    EXPECT_EQ(run({ S("set-times"), file, S("--course"), S("Art"), S("--day"), S("all"), S("--start"), S("8"),
                      S("--end"), S("09:00") })
                  .exitCode,
        1);
    EXPECT_EQ(fileHash(file), hash);
}

TEST_F(TimeCommandsTest, AWeeklyYearSetsOneWeekdayAndShowsNoClassWhereTheCourseDoesNotMeet)
{
    const QString file = path(S("weekly.semestra"));
    runOk({ S("new"), file, S("--start"), S("2025-09-08"), S("--end"), S("2025-09-19"), S("--days"),
        S("mon,tue,wed,thu,fri"), S("--schedule"), S("weekly"), S("--course"), S("Math"), S("--course"), S("Art"),
        S("--meets"), S("Math=mon,tue,wed,thu,fri"), S("--meets"), S("Art=tue,thu") });
    const QJsonObject before = table(file);
    EXPECT_EQ(before[u"columns"].toArray().size(), 10);
    const QJsonObject art = before[u"rows"].toArray().at(1)[u"cells"].toObject();
    EXPECT_EQ(art.keys(), (QStringList { "Thursday End", "Thursday Start", "Tuesday End", "Tuesday Start" }));

    runOk({ S("set-times"), file, S("--course"), S("Math"), S("--day"), S("wed"), S("--start"), S("13:00"), S("--end"),
        S("13:45") });
    QStringList expected;
    for (int week = 0; week < 2; ++week)
        expected << S("none-none") << S("none-none") << S("13:00-13:45") << S("none-none") << S("none-none");
    EXPECT_EQ(timesOf(file, S("Math")), expected);
    EXPECT_EQ(run({ S("set-times"), file, S("--course"), S("Art"), S("--day"), S("mon"), S("--start"), S("08:00"),
                      S("--end"), S("09:00") })
                  .exitCode,
        1);
}

TEST_F(TimeCommandsTest, ARotatingYearWithACourseMeetingTwiceADayHasARowPerMeeting)
{
    const QString file = path(S("ab.semestra"));
    runOk({ S("new"), file, S("--start"), S("2025-09-08"), S("--end"), S("2025-09-19"), S("--days"),
        S("mon,tue,wed,thu,fri"), S("--schedule"), S("ab"), S("--course"), S("Math"), S("--course"), S("Art"),
        S("--meets"), S("Math=0,1"), S("--meets"), S("Art=1") });
    runOk({ S("add-course"), file, S("--existing"), S("Math"), S("--types"), S("1") });
    const QJsonArray rows = table(file)[u"rows"].toArray();
    ASSERT_EQ(rows.size(), 3);
    EXPECT_EQ(rows.at(0)[u"row"].toString(), S("Math - 1"));
    EXPECT_EQ(rows.at(1)[u"row"].toString(), S("Math - 2"));
    EXPECT_EQ(rows.at(1)[u"cells"].toObject().keys(), (QStringList { "B Day End", "B Day Start" }));

    runOk({ S("set-times"), file, S("--course"), S("Math"), S("--day"), S("B"), S("--meeting"), S("2"), S("--start"),
        S("14:00"), S("--end"), S("14:50") });
    runOk({ S("set-times"), file, S("--course"), S("Math"), S("--day"), S("B"), S("--start"), S("08:00"), S("--end"),
        S("08:50") });
    for (const QJsonValue& day : schoolDays(file)) {
        QStringList math;
        for (const QJsonValue& lesson : day[u"lessons"].toArray()) {
            if (lesson[u"course"].toString() == u"Math")
                math << lesson[u"start"].toString(S("none"));
        }
        const QStringList expected
            = day[u"dayType"].toInt() == 1 ? QStringList { S("08:00"), S("14:00") } : QStringList { S("none") };
        EXPECT_EQ(math, expected);
    }
}

TEST_F(TimeCommandsTest, MigrateWritesTheMovedYearToANewFileAndLeavesTheOldOne)
{
    const QString file = newTraditionalYear({ S("Math") });
    runOk({ S("set-times"), file, S("--course"), S("Math"), S("--day"), S("all"), S("--start"), S("09:00"), S("--end"),
        S("09:45") });
    const QByteArray before = fileHash(file);
    const QString next = path(S("next.semestra"));

    runOk({ S("migrate"), file, S("--start"), S("2026-09-09"), S("--output"), next });
    EXPECT_EQ(fileHash(file), before);
    const QJsonArray moved = schoolDays(next);
    const QJsonArray old = schoolDays(file);
    ASSERT_EQ(moved.size(), old.size());
    EXPECT_EQ(moved.at(0)[u"date"].toString(), S("2026-09-07"));
    for (qsizetype i = 0; i < moved.size(); ++i) {
        EXPECT_EQ(weekdayOf(moved.at(i).toObject()), weekdayOf(old.at(i).toObject()));
        EXPECT_EQ(moved.at(i)[u"lessons"].toArray().at(0)[u"start"].toString(), S("09:00"));
    }
    EXPECT_EQ(info(next)[u"startDate"].toString(), S("2026-09-06"));

    EXPECT_EQ(run({ S("migrate"), file, S("--start"), S("2027-09-09"), S("--output"), next }).exitCode, 1);
    EXPECT_EQ(run({ S("migrate"), file, S("--start"), S("2027-09-09"), S("--output"), file }).exitCode, 1);
    runOk({ S("migrate"), file, S("--start"), S("2027-09-09"), S("--output"), next, S("--force") });
    EXPECT_EQ(info(next)[u"startDate"].toString(), S("2027-09-05"));
    EXPECT_EQ(fileHash(file), before);
}
