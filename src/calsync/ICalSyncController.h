#pragma once

#include "calsync/CalendarSyncPlan.h"
#include "calsync/CalendarSyncRun.h"
#include "model/Lesson.h"

#include <functional>

class AlertPresenter;
class CalendarSyncSettings;
class Day;
class Year;

// Writes the year into the teacher's calendars: every lesson with content
// as an event in its course's calendar, every holiday and cancelled day as
// an all-day event, every day's notes as an all-day event. The records keep
// the UIDs of their events, so that a later sync updates the same events;
// events this document wrote that no record wants any more are removed.
//
// A sync is planned from the records, carried out against the store (on any
// thread, see CalendarSyncRun) and then recorded in the records. Until that
// last step the document is not changed, and a failure of the store as a
// whole leaves it as it was.
class ICalSyncController {
public:
    // The user default that, when false, makes the next lesson pass take
    // every lesson.
    static const QString okToSyncKey;

    ICalSyncController(Year& year, AlertPresenter& alerts);

    Year& year() const { return m_year; }
    // True for a changes-only sync.
    bool isUpdating() const { return m_updating; }
    void setUpdating(bool updating) { m_updating = updating; }
    // What the two sync commands do before syncing: a full sync takes every
    // lesson and day, a changes-only one those changed since the last sync.
    void syncAllToiCal();
    void syncChangesToiCal();

    // The whole sync, on this thread.
    CalendarSyncCounts startSync(CalendarStore& store);

    CalendarSyncPlan makePlan();
    // Records the run's outcome in the records and tells the teacher of
    // whatever failed.
    CalendarSyncCounts finishSync(const CalendarSyncPlan& plan, const CalendarSyncResult& result);

private:
    void planCalendars(CalendarSyncPlan& plan, const CalendarSyncSettings& settings) const;
    void syncUpdatedLessons(CalendarSyncPlan& plan, const CalendarSyncSettings& settings) const;
    void syncNonSchoolDays(CalendarSyncPlan& plan) const;
    void syncDailyNotes(CalendarSyncPlan& plan) const;
    // What every lesson's event takes from the settings, read once per sync.
    struct LessonEventSettings {
        QList<Lesson::ICalNoteField> noteFields;
        QString timeZone;
        std::function<QString(const QString& courseName)> calendarFor;
    };
    CalendarSyncItem lessonItem(Lesson& lesson, const LessonEventSettings& settings) const;
    QString calendarFor(const QString& tableKey) const;
    void recordOutcome(const CalendarSyncPlan& plan, const CalendarSyncItem& item, const CalendarSyncOutcome& outcome);
    void recordCalendarTypes(const CalendarSyncResult& result);
    void reportFailures(const CalendarSyncPlan& plan, const CalendarSyncResult& result);

    Year& m_year;
    AlertPresenter& m_alerts;
    bool m_updating = false;
};
