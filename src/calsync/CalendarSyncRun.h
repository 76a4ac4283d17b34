#pragma once

#include "calsync/CalendarSyncPlan.h"

#include <QHash>

#include <functional>

// Carries a plan out against a calendar store. It touches no record, so it
// may run on a worker thread while the window goes on.
class CalendarSyncRun {
public:
    using Progress = std::function<void(qsizetype done, qsizetype total)>;

    CalendarSyncRun(const CalendarSyncPlan& plan, CalendarStore& store);

    CalendarSyncResult run(const Progress& progress = {});

private:
    bool openStore();
    // Makes every calendar of the table the store lacks.
    void checkForCalendarsAndCreateIfNecessary();
    bool readCalendars();
    void syncItem(qsizetype index);
    CalendarSyncOutcome writeItem(const CalendarSyncItem& item, const std::optional<StoredEvent>& existing);
    CalendarSyncOutcome removeItem(const std::optional<StoredEvent>& existing);
    std::optional<StoredEvent> existingEvent(const QString& uid, CalendarSyncOutcome& outcome);
    void deleteLeftovers();
    // Ends the run when the store as a whole failed; true then.
    bool stopsRun(const CalendarStore::Outcome& failed);
    void closeStore();

    const CalendarSyncPlan& m_plan;
    CalendarStore& m_store;
    CalendarSyncResult m_result;
    QSet<QString> m_presentCalendars;
    QSet<QString> m_readyCalendars;
    // The events of the document's calendars by UID, as read at the start.
    QHash<QString, StoredEvent> m_events;
    QSet<QString> m_handled;
};
