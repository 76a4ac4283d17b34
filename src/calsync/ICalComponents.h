#pragma once

#include "calsync/CalendarEvent.h"

#include <libical/ical.h>

#include <memory>

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using ComponentPointer = std::unique_ptr<icalcomponent, ComponentFree>;

// The planner's events in libical's terms. Text goes in as typed: libical
// applies the escaping of RFC 5545 when it writes and undoes it when it reads.
class ICalComponents {
public:
    // A VCALENDAR titled by X-WR-CALNAME, without events.
    static ComponentPointer newCalendar(const QString& title);
    static QString calendarTitle(icalcomponent* calendar);
    // A VCALENDAR component's text, or a whole file's.
    static QByteArray text(icalcomponent* component);
    // The VCALENDAR in the text, or none when it holds no calendar.
    static ComponentPointer parseCalendar(const QByteArray& text);

    // Sets the planner's properties of the event and its owner's mark,
    // keeping every other property (alarms, categories, a location the
    // teacher added in the calendar).
    static void writeEvent(icalcomponent* vevent, const CalendarEvent& event, const QString& owner);
    static ComponentPointer newEvent(const CalendarEvent& event, const QString& owner);
    static StoredEvent readEvent(icalcomponent* vevent, const QString& calendar);
    static QString uid(icalcomponent* vevent);
    // Adds the VTIMEZONE of the Olson zone unless the calendar has it, named
    // by the plain zone name so that TZID parameters resolve.
    static void addTimeZone(icalcomponent* calendar, const QString& zone);

private:
    static void addProperties(icalcomponent* vevent, const CalendarEvent& event, const QString& owner);
};
