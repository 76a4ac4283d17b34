#pragma once

#include "foundation/dates/DateComponents.h"

#include <QByteArray>
#include <QString>

// One event as the planner writes it: a lesson, a non-school day or a day's
// notes. Times are wall-clock times in `timeZone` (an Olson name), so that an
// event stays at 8:30 across a change of clocks and in a calendar shown in
// another zone; an all-day event uses only the date of `start`.
struct CalendarEvent {
    QString uid;
    QString title;
    QString notes;
    bool allDay = false;
    DateComponents start;
    DateComponents end;
    QString timeZone;

    // A fingerprint of what the event says. The planner stores it with each
    // event it writes, so that a later sync can tell an event someone changed
    // in the calendar from one that is still as it was written.
    QByteArray digest() const;

    bool operator==(const CalendarEvent&) const = default;
};

// An event as a calendar store holds it.
struct StoredEvent {
    QString calendar;
    CalendarEvent event;
    // The digest written with the event; empty for an event the planner did
    // not write.
    QByteArray writtenDigest;
    // The document that wrote the event; empty for others' events.
    QString owner;
    // Where a server keeps the event, the version it has and the whole
    // calendar object as it sent it.
    QString href;
    QByteArray etag;
    QByteArray data;

    // Written by the planner and changed in the calendar since.
    bool changedSinceWritten() const { return !writtenDigest.isEmpty() && writtenDigest != event.digest(); }
};
