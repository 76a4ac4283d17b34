#pragma once

#include "calsync/CalendarEvent.h"
#include "calsync/CalendarStore.h"
#include "foundation/dates/Date.h"

#include <QSet>
#include <QStringList>

#include <optional>

class ManagedObject;

// One event to write or remove, worked out from a record on the main thread.
struct CalendarSyncItem {
    enum class Kind { Lesson, NonSchoolDay, Notes };
    Kind kind = Kind::Lesson;
    // Read and changed only on the main thread, before and after the run.
    ManagedObject* record = nullptr;
    // The UID the record holds; empty when it has none yet.
    QString recordedUid;
    QString calendar;
    // The event to write (with the UID it is to have), or none to remove the
    // record's event.
    std::optional<CalendarEvent> event;
    // The lesson ends before it starts: it cannot become an event.
    bool invalidTimes = false;
};

// Everything a sync needs from the document, so that the calendar work runs
// on any thread without touching a record.
struct CalendarSyncPlan {
    // Marks the events this document writes.
    QString owner;
    // Table keys with the calendar titles they name, for the calendars to
    // find or make.
    QList<std::pair<QString, QString>> calendars;
    // Further calendars of the table (of removed courses, of kinds no longer
    // written) searched for left-over events but never made.
    QStringList otherCalendars;
    QList<CalendarSyncItem> items;
    // Every UID a record still wants an event for: events of this document
    // with other UIDs in its calendars are left over and removed.
    QSet<QString> wantedUids;
    Date startedAt;
    // The stored table before the plan was made, put back when the sync
    // fails as a whole.
    QString storedTable;
};

// How one item went.
struct CalendarSyncOutcome {
    // Forgotten: the record's event was gone already; only its UID goes.
    enum class State {
        NotTried,
        Written,
        Updated,
        Unchanged,
        Deleted,
        Forgotten,
        Failed,
        Conflict,
        CalendarMissing,
        InvalidTimes,
    };
    State state = State::NotTried;
    QString message;

    bool succeeded() const
    {
        return state == State::Written || state == State::Updated || state == State::Unchanged
            || state == State::Deleted || state == State::Forgotten;
    }
};

struct CalendarSyncResult {
    // A failure of the store as a whole; items after it were not tried.
    std::optional<CalendarStore::Error> storeFailure;
    // Index-aligned with the plan's items.
    QList<CalendarSyncOutcome> outcomes;
    // Table keys whose calendar the store has (found or made).
    QStringList readyKeys;
    // Calendars that could not be found or made.
    QStringList missingCalendars;
    // Left-over events of this document removed from its calendars.
    int leftoversDeleted = 0;
    QString location;
    QString storeType;
};

struct CalendarSyncCounts {
    int written = 0;
    int updated = 0;
    int unchanged = 0;
    int deleted = 0;
    int failed = 0;
    // The store as a whole could not be used (unreachable, refused).
    bool storeFailed = false;

    bool operator==(const CalendarSyncCounts&) const = default;
};
