#include "CalendarSyncFixture.h"
#include "model/Lesson.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>

namespace {

// Reads a calendar file with Python's icalendar package, as another calendar
// program would.
class PythonReadBackTest : public CalendarSyncFixture {
protected:
    QJsonObject readWithPython(const QString& calendar) const
    {
        QProcess python;
        // Debian's interpreter, which has the icalendar package.
        python.start(QStringLiteral("/usr/bin/python3"),
            { QStringLiteral(SEMESTRA_READ_CALENDAR_SCRIPT), calendarFilePath(calendar) });
        if (!python.waitForFinished(20000) || python.exitCode() != 0) {
            ADD_FAILURE() << python.readAllStandardError().toStdString();
            return {};
        }
        return QJsonDocument::fromJson(python.readAllStandardOutput()).object();
    }

    static QJsonObject eventTitled(const QJsonObject& calendar, const QString& title)
    {
        for (const QJsonValue event : calendar.value(QStringLiteral("events")).toArray()) {
            if (event.toObject().value(QStringLiteral("summary")).toString() == title)
                return event.toObject();
        }
        return {};
    }
};

} // namespace

TEST_F(PythonReadBackTest, AnotherCalendarProgramReadsTitlesTimesAndZonesAsWritten)
{
    const QString title = QStringLiteral("Quotes \"here\", commas; semicolons\nand a second line");
    lesson(QStringLiteral("Algebra"), 2)->setValue(u"lessonTitle", title);
    lesson(QStringLiteral("Algebra"), 3)->setValue(u"lessonBodyString", QStringLiteral("Body \\ with, all; \"of it\""));
    Lesson* untimed = lesson(QStringLiteral("Algebra"), 4);
    untimed->setDate(u"startTime", std::nullopt);
    untimed->setDate(u"endTime", std::nullopt);

    syncAll();
    const QJsonObject algebra = readWithPython(QStringLiteral("Algebra"));

    EXPECT_EQ(algebra.value(QStringLiteral("name")).toString(), QStringLiteral("Algebra"));
    EXPECT_EQ(algebra.value(QStringLiteral("events")).toArray().size(), 10);
    const QJsonObject typed = eventTitled(algebra, title);
    EXPECT_EQ(typed.value(QStringLiteral("uid")).toString(),
        lesson(QStringLiteral("Algebra"), 2)->value<QString>(u"iCalUID"));
    EXPECT_EQ(typed.value(QStringLiteral("start")).toString(), QStringLiteral("2025-10-28T08:30:00-04:00"));
    EXPECT_EQ(typed.value(QStringLiteral("zone")).toString(), QStringLiteral("America/New_York"));
    EXPECT_EQ(eventTitled(algebra, QStringLiteral("Algebra 3")).value(QStringLiteral("description")).toString(),
        QStringLiteral("Body \\ with, all; \"of it\"\n\n"));
    const QJsonObject winter = eventTitled(algebra, QStringLiteral("Algebra 8"));
    EXPECT_EQ(winter.value(QStringLiteral("start")).toString(), QStringLiteral("2025-11-03T08:30:00-05:00"));
    const QJsonObject allDay = eventTitled(algebra, QStringLiteral("Algebra 4"));
    EXPECT_TRUE(allDay.value(QStringLiteral("all_day")).toBool());
    EXPECT_EQ(allDay.value(QStringLiteral("start")).toString(), QStringLiteral("2025-10-30"));
}

TEST_F(PythonReadBackTest, TwoSyncsLeaveOneEventPerLessonUnderTheSameUid)
{
    syncAll();
    const QJsonObject first = readWithPython(QStringLiteral("Biology"));
    lesson(QStringLiteral("Biology"), 5)->setValue(u"lessonTitle", QStringLiteral("Biology five"));
    syncAll();
    const QJsonObject second = readWithPython(QStringLiteral("Biology"));

    QStringList before;
    QStringList after;
    for (const QJsonValue event : first.value(QStringLiteral("events")).toArray())
        before.append(event.toObject().value(QStringLiteral("uid")).toString());
    for (const QJsonValue event : second.value(QStringLiteral("events")).toArray())
        after.append(event.toObject().value(QStringLiteral("uid")).toString());
    before.sort();
    after.sort();
    EXPECT_EQ(after.size(), 10);
    EXPECT_EQ(after, before);
    EXPECT_FALSE(eventTitled(second, QStringLiteral("Biology five")).isEmpty());
}
