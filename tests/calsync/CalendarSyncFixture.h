#pragma once

#include "ScheduleBuilder.h"
#include "calsync/CalendarFileStore.h"
#include "calsync/ICalSyncController.h"
#include "model/SemestraRecords.h"
#include "store/ObjectContext.h"
#include "testlib/FixedClock.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

class Course;
class Day;
class Lesson;
class Year;

// One event of a calendar file, as libical reads it back.
struct FileEvent {
    QString uid;
    QString summary;
    QString description;
    QString start; // "20251027T083000" or "20251027" for all-day events
    QString startZone;
    bool allDay = false;
};

// Two school weeks from Sunday 26 October 2025 (clocks go back on 2 November
// in New York): Algebra at 8:30 and Biology at 10:00 from Monday to Friday,
// every lesson titled, synced into calendar files in a temporary folder.
class CalendarSyncFixture : public testing::Test {
protected:
    CalendarSyncFixture();

    Year& year() const { return *builder.year(); }
    Lesson* lesson(const QString& course, int dayOffset);
    QString folder() const { return m_folder.path(); }

    // A full or a changes-only sync into the folder; the store's writes.
    CalendarSyncCounts syncAll();
    CalendarSyncCounts syncChanges();
    CalendarSyncCounts sync(CalendarStore& store, bool changesOnly);
    int lastWrites() const { return m_lastWrites; }

    // The events of the calendar's file, read with libical.
    QList<FileEvent> fileEvents(const QString& calendar) const;
    QString calendarFilePath(const QString& calendar) const;
    QStringList calendarTitles() const;
    // Moves the clock on, so that later edits count as changes.
    void later();

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    FixedClock clock { ScheduleBuilder::localDate(2025, 10, 20, 9) };
    TemporaryPreferences preferences;
    ScriptedAlertPresenter alerts;
    ScheduleBuilder builder { *context, 2025, 10, 26, 2 };
    Course* algebra = nullptr;
    Course* biology = nullptr;

private:
    QTemporaryDir m_folder;
    Date m_now;
    int m_lastWrites = 0;
};
