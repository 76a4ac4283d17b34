#pragma once

#include "calsync/CalendarEvent.h"
#include "foundation/core/Result.h"

#include <QList>

#include <optional>

// A calendar as a store lists it: identified by its title and the store's type.
struct CalendarInfo {
    QString title;
    QString type;

    bool operator==(const CalendarInfo&) const = default;
};

// Where the planner's events go: calendars identified by title, each holding
// events found by a UID that stays stable. A store is opened for one sync,
// used from one thread at a time, and closed; events others keep in the
// calendars are left as they are.
class CalendarStore {
public:
    enum class Failure {
        None,
        // The store cannot be reached or read (a server that is down, a
        // folder that cannot be locked): nothing was done.
        Unavailable,
        // The server refused the credentials.
        Unauthorized,
        // The event was changed in the calendar between reading and writing.
        Conflict,
        // Anything else: this one step failed.
        Other,
    };
    struct Error {
        Failure failure = Failure::None;
        QString message;
    };
    using Outcome = std::optional<Error>;

    virtual ~CalendarStore() = default;

    // The type string that identifies calendars of this store in the
    // calendar assignment table.
    virtual QString type() const = 0;
    // Where the calendars are, for the teacher (a folder or a server address).
    virtual QString location() const = 0;

    virtual Outcome open() = 0;
    // Writes what is still pending and lets go of the store.
    virtual Outcome close() = 0;

    virtual QList<CalendarInfo> calendars() const = 0;
    virtual Outcome createCalendar(const QString& title) = 0;
    // Every event of the calendar.
    virtual Result<QList<StoredEvent>> events(const QString& calendar) = 0;
    // The event with the UID in any calendar of the store, or none.
    virtual Result<std::optional<StoredEvent>> findEvent(const QString& uid) = 0;
    // Writes the event into the calendar. `previous` is the event as read
    // before (its other properties are kept; when it lives in another
    // calendar, it moves), or none for a new event.
    virtual Outcome saveEvent(
        const QString& calendar, const CalendarEvent& event, const QString& owner, const StoredEvent* previous)
        = 0;
    virtual Outcome deleteEvent(const StoredEvent& event) = 0;

    // Events written or deleted since the store was made.
    int writes() const { return m_writes; }

protected:
    void countWrite() { ++m_writes; }
    static Error error(Failure failure, const QString& message) { return { failure, message }; }

private:
    int m_writes = 0;
};
