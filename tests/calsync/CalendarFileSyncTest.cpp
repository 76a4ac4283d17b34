#include "CalendarSyncFixture.h"
#include "calsync/CalendarSyncSettings.h"
#include "calsync/ICalComponents.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QDir>
#include <QFile>
#include <QLockFile>

namespace {

using CalendarFileSyncTest = CalendarSyncFixture;

QStringList uidsOf(const QList<FileEvent>& events)
{
    QStringList uids;
    for (const FileEvent& event : events)
        uids.append(event.uid);
    uids.sort();
    return uids;
}

std::optional<FileEvent> eventTitled(const QList<FileEvent>& events, const QString& title)
{
    for (const FileEvent& event : events) {
        if (event.summary == title)
            return event;
    }
    return std::nullopt;
}

bool shown(const ScriptedAlertPresenter& alerts, const QString& title)
{
    return std::any_of(alerts.shown().begin(), alerts.shown().end(), [&](const Alert& a) { return a.title == title; });
}

Day* makeHoliday(Day* day, const QString& name)
{
    day->setValue(u"isHoliday", true);
    day->setValue(u"holidayName", name);
    return day;
}

// Replaces text in a calendar file, as another program editing it would.
void editFile(const QString& path, const QByteArray& from, const QByteArray& to)
{
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    QByteArray text = file.readAll();
    file.close();
    ASSERT_TRUE(text.contains(from));
    text.replace(from, to);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(text);
}

// A store that cannot make one calendar, as a read-only account cannot.
class RefusingStore : public CalendarFileStore {
public:
    RefusingStore(const QString& folder, QString refused)
        : CalendarFileStore(folder)
        , m_refused(std::move(refused))
    { }
    Outcome createCalendar(const QString& title) override
    {
        if (title == m_refused)
            return error(Failure::Other, QStringLiteral("refused"));
        return CalendarFileStore::createCalendar(title);
    }

private:
    QString m_refused;
};

// A store that refuses to save one event.
class FailingStore : public CalendarFileStore {
public:
    FailingStore(const QString& folder, QString failing)
        : CalendarFileStore(folder)
        , m_failing(std::move(failing))
    { }
    Outcome saveEvent(
        const QString& calendar, const CalendarEvent& event, const QString& owner, const StoredEvent* previous) override
    {
        if (event.title == m_failing)
            return error(Failure::Other, QStringLiteral("the disk said no"));
        return CalendarFileStore::saveEvent(calendar, event, owner, previous);
    }

private:
    QString m_failing;
};

} // namespace

TEST_F(CalendarFileSyncTest, FullSyncWritesLessonsNonSchoolDaysAndNotesAndKeepsTheirUids)
{
    makeHoliday(builder.day(6), QStringLiteral("Teacher Day"));
    builder.day(3)->setValue(u"notes", QStringLiteral("Field trip"));

    const CalendarSyncCounts counts = syncAll();

    EXPECT_EQ(counts, (CalendarSyncCounts { 22, 0, 0, 0, 0 }));
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(fileEvents(QStringLiteral("Algebra")).size(), 10);
    EXPECT_EQ(fileEvents(QStringLiteral("Biology")).size(), 10);
    const QList<FileEvent> holidays = fileEvents(QStringLiteral("Semestra - Non School Days"));
    ASSERT_EQ(holidays.size(), 1);
    EXPECT_EQ(holidays[0].summary, QStringLiteral("Teacher Day"));
    EXPECT_TRUE(holidays[0].allDay);
    EXPECT_EQ(holidays[0].start, QStringLiteral("20251101"));
    EXPECT_EQ(holidays[0].uid, builder.day(6)->value<QString>(u"iCalUIDNonSchool"));
    const QList<FileEvent> notes = fileEvents(QStringLiteral("Semestra"));
    ASSERT_EQ(notes.size(), 1);
    EXPECT_EQ(notes[0].summary, QStringLiteral("Field trip"));
    EXPECT_EQ(notes[0].uid, builder.day(3)->value<QString>(u"iCalUIDNotes"));
    const std::optional<FileEvent> algebra
        = eventTitled(fileEvents(QStringLiteral("Algebra")), QStringLiteral("Algebra 2"));
    ASSERT_TRUE(algebra);
    EXPECT_EQ(algebra->uid, lesson(QStringLiteral("Algebra"), 2)->value<QString>(u"iCalUID"));
}

TEST_F(CalendarFileSyncTest, SyncingAgainFindsTheSameEventsAndWritesNothing)
{
    syncAll();
    const QStringList before = uidsOf(fileEvents(QStringLiteral("Algebra")));

    const CalendarSyncCounts again = syncAll();

    EXPECT_EQ(again.written + again.updated, 0);
    EXPECT_EQ(again.unchanged, 20);
    EXPECT_EQ(lastWrites(), 0);
    EXPECT_EQ(uidsOf(fileEvents(QStringLiteral("Algebra"))), before);
}

TEST_F(CalendarFileSyncTest, ChangesOnlySyncWritesOnlyTheChangedLesson)
{
    syncAll();
    lesson(QStringLiteral("Biology"), 9)->setValue(u"lessonTitle", QStringLiteral("Cells, revisited"));

    const CalendarSyncCounts counts = syncChanges();

    EXPECT_EQ(counts.updated, 1);
    EXPECT_EQ(counts.written, 0);
    EXPECT_EQ(lastWrites(), 1);
    EXPECT_TRUE(eventTitled(fileEvents(QStringLiteral("Biology")), QStringLiteral("Cells, revisited")));
}

TEST_F(CalendarFileSyncTest, TitlesAndNotesComeBackExactlyAsTyped)
{
    const QString title = QStringLiteral("He said \"stop\", then; left\nthe room \\ quietly");
    Lesson* typed = lesson(QStringLiteral("Algebra"), 2);
    typed->setValue(u"lessonTitle", title);
    typed->setValue(u"homeworkString", QStringLiteral("Read p. 3, 4; \"all\" of it"));
    year().setValue(u"homeworkTitle", QStringLiteral("Homework: "));

    syncAll();

    const std::optional<FileEvent> event = eventTitled(fileEvents(QStringLiteral("Algebra")), title);
    ASSERT_TRUE(event);
    EXPECT_EQ(event->description, QStringLiteral("Homework: Read p. 3, 4; \"all\" of it\n\n"));
}

TEST_F(CalendarFileSyncTest, HomeworkSwitchedOffStaysOutOfTheNotes)
{
    Lesson* typed = lesson(QStringLiteral("Algebra"), 2);
    typed->setValue(u"homeworkString", QStringLiteral("Exercise 4"));
    typed->setValue(u"lessonBodyString", QStringLiteral("Fractions"));
    CalendarSyncSettings settings(year());
    settings.setOn(QStringLiteral("syncHomework"), false);
    settings.store();

    syncAll();

    const std::optional<FileEvent> event
        = eventTitled(fileEvents(QStringLiteral("Algebra")), QStringLiteral("Algebra 2"));
    ASSERT_TRUE(event);
    EXPECT_EQ(event->description, QStringLiteral("Fractions\n\n"));
}

TEST_F(CalendarFileSyncTest, MidnightLessonStaysOnItsOwnDay)
{
    builder.lesson(algebra, builder.day(4), 0, 0, 45)->setValue(u"lessonTitle", QStringLiteral("Night watch"));

    syncAll();

    const std::optional<FileEvent> event
        = eventTitled(fileEvents(QStringLiteral("Algebra")), QStringLiteral("Night watch"));
    ASSERT_TRUE(event);
    EXPECT_EQ(event->start, QStringLiteral("20251030T000000"));
}

TEST_F(CalendarFileSyncTest, LessonWithoutTimesBecomesAnAllDayEvent)
{
    Lesson* untimed = lesson(QStringLiteral("Biology"), 4);
    untimed->setDate(u"startTime", std::nullopt);
    untimed->setDate(u"endTime", std::nullopt);

    syncAll();

    const std::optional<FileEvent> event
        = eventTitled(fileEvents(QStringLiteral("Biology")), QStringLiteral("Biology 4"));
    ASSERT_TRUE(event);
    EXPECT_TRUE(event->allDay);
    EXPECT_EQ(event->start, QStringLiteral("20251030"));
}

TEST_F(CalendarFileSyncTest, LessonEndingBeforeItStartsGetsTheCourseTimesAlert)
{
    Lesson* backwards = lesson(QStringLiteral("Biology"), 4);
    backwards->setDate(u"endTime", backwards->startTime()->addingSeconds(-600));
    alerts.answerNext(AlertDefaultReturn);

    const CalendarSyncCounts counts = syncAll();

    EXPECT_EQ(counts.failed, 1);
    EXPECT_TRUE(shown(alerts, QStringLiteral("Error syncing some lessons")));
    EXPECT_TRUE(backwards->value<QString>(u"iCalUID").isEmpty());
}

TEST_F(CalendarFileSyncTest, TimedEventsKeepTheirZoneAndWallClockTimeAcrossTheClockChange)
{
    syncAll();

    const QList<FileEvent> events = fileEvents(QStringLiteral("Algebra"));
    const std::optional<FileEvent> summer = eventTitled(events, QStringLiteral("Algebra 1"));
    const std::optional<FileEvent> winter = eventTitled(events, QStringLiteral("Algebra 8"));
    ASSERT_TRUE(summer && winter);
    EXPECT_EQ(summer->start, QStringLiteral("20251027T083000"));
    EXPECT_EQ(winter->start, QStringLiteral("20251103T083000"));
    EXPECT_EQ(summer->startZone, QStringLiteral("America/New_York"));
    QFile file(calendarFilePath(QStringLiteral("Algebra")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("BEGIN:VTIMEZONE\r\nTZID:America/New_York"));
    EXPECT_EQ(text.count("BEGIN:VTIMEZONE"), 1);
}

TEST_F(CalendarFileSyncTest, CalendarTypeIsWrittenBackSoEachCalendarIsMadeOnce)
{
    year().generateCalendarSyncDict();
    QVariantMap entry = year().calendarSyncDict().value(QStringLiteral("Algebra")).toMap();
    entry.insert(QStringLiteral("calendarType"), QStringLiteral("Exchange"));
    year().calendarSyncDict().insert(QStringLiteral("Algebra"), entry);
    year().storeCalendarSyncDict();

    syncAll();
    syncAll();

    EXPECT_EQ(year().calendarSyncDict().value(QStringLiteral("Algebra")).toMap().value(QStringLiteral("calendarType")),
        QStringLiteral("Local"));
    EXPECT_EQ(QDir(folder()).entryList({ QStringLiteral("*.ics") }).size(), 4);
    EXPECT_EQ(calendarTitles().size(), 4);
}

TEST_F(CalendarFileSyncTest, CalendarThatCannotBeMadeIsReportedAsNotFound)
{
    RefusingStore store(folder(), QStringLiteral("Biology"));
    alerts.answerNext(AlertDefaultReturn);

    const CalendarSyncCounts counts = sync(store, false);

    EXPECT_EQ(counts.written, 10);
    EXPECT_EQ(counts.failed, 10);
    EXPECT_TRUE(shown(alerts, QStringLiteral("Calendar not found")));
    EXPECT_FALSE(shown(alerts, QStringLiteral("Error syncing some lessons")));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("Biology")));
    EXPECT_TRUE(lesson(QStringLiteral("Biology"), 1)->value<QString>(u"iCalUID").isEmpty());
}

TEST_F(CalendarFileSyncTest, LessonsThatFailedAreTakenAgainByTheNextChangesOnlySync)
{
    FailingStore failing(folder(), QStringLiteral("Algebra 3"));
    alerts.answerNext(AlertDefaultReturn);
    const CalendarSyncCounts first = sync(failing, false);
    ASSERT_EQ(first.failed, 1);
    EXPECT_TRUE(shown(alerts, QStringLiteral("Error syncing some events")));

    const CalendarSyncCounts retry = syncChanges();

    EXPECT_EQ(retry.written, 1);
    EXPECT_FALSE(lesson(QStringLiteral("Algebra"), 3)->value<QString>(u"iCalUID").isEmpty());
    EXPECT_TRUE(eventTitled(fileEvents(QStringLiteral("Algebra")), QStringLiteral("Algebra 3")));
}

TEST_F(CalendarFileSyncTest, ClearedLessonLosesItsEvent)
{
    syncAll();
    Lesson* cleared = lesson(QStringLiteral("Algebra"), 2);
    const QString uid = cleared->value<QString>(u"iCalUID");
    cleared->wipe();

    const CalendarSyncCounts counts = syncChanges();

    EXPECT_EQ(counts.deleted, 1);
    EXPECT_FALSE(uidsOf(fileEvents(QStringLiteral("Algebra"))).contains(uid));
    EXPECT_EQ(fileEvents(QStringLiteral("Algebra")).size(), 9);
}

TEST_F(CalendarFileSyncTest, RemovedCourseLeavesItsCalendarEmpty)
{
    syncAll();
    year().removeCourse(biology);

    syncChanges();

    EXPECT_TRUE(calendarTitles().contains(QStringLiteral("Biology")));
    EXPECT_TRUE(QFile::exists(calendarFilePath(QStringLiteral("Biology"))));
    EXPECT_TRUE(fileEvents(QStringLiteral("Biology")).isEmpty());
    EXPECT_EQ(fileEvents(QStringLiteral("Algebra")).size(), 10);
}

TEST_F(CalendarFileSyncTest, DayThatIsASchoolDayAgainLosesItsNonSchoolEvent)
{
    Day* day = makeHoliday(builder.day(6), QStringLiteral("Storm"));
    syncAll();
    ASSERT_EQ(fileEvents(QStringLiteral("Semestra - Non School Days")).size(), 1);
    day->setValue(u"isHoliday", false);
    day->setValue(u"holidayName", QString());

    syncChanges();

    EXPECT_TRUE(fileEvents(QStringLiteral("Semestra - Non School Days")).isEmpty());
    EXPECT_TRUE(day->value<QString>(u"iCalUIDNonSchool").isEmpty());
}

TEST_F(CalendarFileSyncTest, EmptiedNotesLoseTheirEvent)
{
    Day* day = builder.day(3);
    day->setValue(u"notes", QStringLiteral("Assembly"));
    syncAll();
    day->setValue(u"notes", QString());

    syncChanges();

    EXPECT_TRUE(fileEvents(QStringLiteral("Semestra")).isEmpty());
    EXPECT_TRUE(day->value<QString>(u"iCalUIDNotes").isEmpty());
}

TEST_F(CalendarFileSyncTest, DaysBeforeTheChosenStartOfARotatingYearAreNoEvents)
{
    year().setValue(u"typeOfSchedule", int(Year::Rotating));
    for (int offset : { 1, 2 }) {
        builder.day(offset)->removeAllLessons();
        builder.day(offset)->setValue(u"isCancelled", true);
        builder.day(offset)->setValue(u"holidayName", QStringLiteral("Cancelled"));
    }
    builder.day(10)->turnIntoCancelledDay();

    syncAll();

    const QList<FileEvent> events = fileEvents(QStringLiteral("Semestra - Non School Days"));
    ASSERT_EQ(events.size(), 1);
    EXPECT_EQ(events[0].start, QStringLiteral("20251105"));
}

TEST_F(CalendarFileSyncTest, OthersEventsAndPropertiesAreKept)
{
    syncAll();
    const QString uid = lesson(QStringLiteral("Algebra"), 2)->value<QString>(u"iCalUID");
    editFile(calendarFilePath(QStringLiteral("Algebra")), "UID:" + uid.toUtf8() + "\r\n",
        "UID:" + uid.toUtf8() + "\r\nLOCATION:Room 12\r\n");
    editFile(calendarFilePath(QStringLiteral("Algebra")), "END:VCALENDAR",
        "BEGIN:VEVENT\r\nUID:dentist-1\r\nDTSTAMP:20251001T000000Z\r\nDTSTART:20251028T150000Z\r\n"
        "SUMMARY:Dentist\r\nEND:VEVENT\r\nEND:VCALENDAR");
    lesson(QStringLiteral("Algebra"), 2)->setValue(u"lessonTitle", QStringLiteral("Algebra two"));

    syncChanges();

    QFile file(calendarFilePath(QStringLiteral("Algebra")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray text = file.readAll();
    EXPECT_TRUE(text.contains("SUMMARY:Dentist"));
    EXPECT_TRUE(text.contains("LOCATION:Room 12"));
    EXPECT_TRUE(eventTitled(fileEvents(QStringLiteral("Algebra")), QStringLiteral("Algebra two")));
    EXPECT_EQ(fileEvents(QStringLiteral("Algebra")).size(), 11);
}

TEST_F(CalendarFileSyncTest, EventChangedInTheCalendarIsNotOverwritten)
{
    syncAll();
    editFile(calendarFilePath(QStringLiteral("Algebra")), "SUMMARY:Algebra 2\r\n", "SUMMARY:Moved by me\r\n");
    alerts.answerNext(AlertDefaultReturn);
    lesson(QStringLiteral("Algebra"), 2)->setValue(u"lessonTitle", QStringLiteral("Algebra two"));

    const CalendarSyncCounts counts = syncChanges();

    EXPECT_EQ(counts.failed, 1);
    EXPECT_TRUE(shown(alerts, QStringLiteral("Events changed in the calendar")));
    EXPECT_TRUE(eventTitled(fileEvents(QStringLiteral("Algebra")), QStringLiteral("Moved by me")));
    EXPECT_FALSE(eventTitled(fileEvents(QStringLiteral("Algebra")), QStringLiteral("Algebra two")));
}

TEST_F(CalendarFileSyncTest, FolderInUseIsReportedAndChangesNothing)
{
    QLockFile otherSync(QDir(folder()).filePath(QStringLiteral(".lock")));
    ASSERT_TRUE(otherSync.lock());
    const QString table = year().value<QString>(u"teacherDepartment");
    alerts.answerNext(AlertDefaultReturn);

    const CalendarSyncCounts counts = syncAll();

    EXPECT_EQ(counts.failed, 20);
    EXPECT_TRUE(shown(alerts, QStringLiteral("Calendar Sync Failed")));
    EXPECT_TRUE(lesson(QStringLiteral("Algebra"), 1)->value<QString>(u"iCalUID").isEmpty());
    EXPECT_FALSE(year().value<std::optional<Date>>(u"lastICalSync"));
    EXPECT_EQ(year().value<QString>(u"teacherDepartment"), table);
    EXPECT_EQ(QDir(folder()).entryList({ QStringLiteral("*.ics") }).size(), 0);
}

TEST_F(CalendarFileSyncTest, UnreadableCalendarFileIsLeftAsItIs)
{
    syncAll();
    const QString path = calendarFilePath(QStringLiteral("Algebra"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write("not a calendar");
    file.close();
    lesson(QStringLiteral("Algebra"), 2)->setValue(u"lessonTitle", QStringLiteral("Algebra two"));
    alerts.answerNext(AlertDefaultReturn);

    syncChanges();

    EXPECT_TRUE(shown(alerts, QStringLiteral("Calendar Sync Failed")));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), QByteArray("not a calendar"));
}
