#include "CalendarSyncFixture.h"
#include "calsync/CalendarSyncSettings.h"
#include "calsync/ICalSyncManager.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

namespace {

using CalendarTableTest = CalendarSyncFixture;

QVariantMap entry(Year& year, const QString& key)
{
    return year.calendarSyncDict().value(key).toMap();
}

} // namespace

TEST_F(CalendarTableTest, NewTableNamesACalendarForEachCourseTheNotesAndTheNonSchoolDays)
{
    year().generateCalendarSyncDict();

    EXPECT_EQ(entry(year(), QStringLiteral("Algebra")),
        (QVariantMap { { QStringLiteral("calendarName"), QStringLiteral("Algebra") },
            { QStringLiteral("calendarType"), QStringLiteral("Local") },
            { QStringLiteral("courseName"), QStringLiteral("Algebra") } }));
    EXPECT_EQ(entry(year(), QStringLiteral("Notes")).value(QStringLiteral("calendarName")), QStringLiteral("Semestra"));
    EXPECT_EQ(entry(year(), QStringLiteral("Non School Days")).value(QStringLiteral("calendarName")),
        QStringLiteral("Semestra - Non School Days"));
    EXPECT_TRUE(year().value<QString>(u"teacherDepartment").startsWith(QStringLiteral("<?xml")));
}

TEST_F(CalendarTableTest, RenamedCourseGetsItsOwnEntryAndItsNextEventsGoThere)
{
    syncAll();
    algebra->setValue(u"courseName", QStringLiteral("Geometry"));
    lesson(QStringLiteral("Geometry"), 2)->setValue(u"lessonTitle", QStringLiteral("Angles"));

    syncChanges();

    EXPECT_EQ(
        entry(year(), QStringLiteral("Geometry")).value(QStringLiteral("calendarName")), QStringLiteral("Geometry"));
    EXPECT_EQ(
        entry(year(), QStringLiteral("Algebra")).value(QStringLiteral("calendarName")), QStringLiteral("Algebra"));
    ASSERT_EQ(fileEvents(QStringLiteral("Geometry")).size(), 1);
    EXPECT_EQ(fileEvents(QStringLiteral("Geometry"))[0].summary, QStringLiteral("Angles"));
    EXPECT_EQ(fileEvents(QStringLiteral("Algebra")).size(), 9);
}

TEST_F(CalendarTableTest, ChangedLessonsAreThoseChangedOnOrAfterTheLastSync)
{
    syncAll();
    Lesson* changed = lesson(QStringLiteral("Biology"), 3);
    changed->setValue(u"lessonTitle", QStringLiteral("Mitosis"));
    lesson(QStringLiteral("Biology"), 4)->wipe();

    EXPECT_EQ(year().lessonsUpdatedSinceLastICalSync(true), QList<Lesson*> { changed });
    EXPECT_EQ(year().lessonsUpdatedSinceLastICalSync(false).size(), 19);
}

TEST_F(CalendarTableTest, MidnightMeetingIsAtTheStartOfItsOwnDay)
{
    Lesson* night = builder.lesson(algebra, builder.day(4), 0, 0, 30);

    EXPECT_EQ(night->startTimeForICal(), ScheduleBuilder::localDate(2025, 10, 30, 0, 0));
    EXPECT_EQ(night->endTimeForICal(), ScheduleBuilder::localDate(2025, 10, 30, 0, 30));
}

TEST_F(CalendarTableTest, SheetWritesEachRowsCalendarOnlyWhenClosed)
{
    ICalSyncManager manager(year());
    ASSERT_EQ(manager.rows().size(), 4);
    const qsizetype semestra
        = manager.possibleCalendars().indexOf(CalendarInfo { QStringLiteral("Semestra"), QStringLiteral("Local") });
    ASSERT_GE(semestra, 0);
    manager.chooseCalendar(0, int(semestra));
    manager.settings().setOn(QStringLiteral("syncDailyNotes"), false);
    EXPECT_EQ(
        entry(year(), QStringLiteral("Algebra")).value(QStringLiteral("calendarName")), QStringLiteral("Algebra"));

    manager.close();

    EXPECT_EQ(
        entry(year(), QStringLiteral("Algebra")).value(QStringLiteral("calendarName")), QStringLiteral("Semestra"));
    EXPECT_FALSE(CalendarSyncSettings(year()).syncDailyNotes());
    EXPECT_EQ(ICalSyncManager::displayName({ QStringLiteral("Semestra - Non School Days"), QStringLiteral("Local") }),
        QStringLiteral("Semestra - Non School Days Local"));
    EXPECT_EQ(ICalSyncManager::displayName(manager.possibleCalendars().value(0)), QStringLiteral("Algebra - Local"));
}

TEST_F(CalendarTableTest, SwitchingToTheServerOffersItsCalendarsKeepingEachRowsTitle)
{
    ICalSyncManager manager(year());
    manager.setStoreKind(CalendarSyncSettings::StoreKind::CalDav);
    manager.setStoreCalendars({ { QStringLiteral("Work"), QStringLiteral("CalDAV") } });

    EXPECT_EQ(manager.possibleCalendars().value(0).title, QStringLiteral("Work"));
    const CalendarInfo algebraRow = manager.possibleCalendars().value(manager.rows().value(0).choice);
    EXPECT_EQ(algebraRow, (CalendarInfo { QStringLiteral("Algebra"), QStringLiteral("CalDAV") }));
}
