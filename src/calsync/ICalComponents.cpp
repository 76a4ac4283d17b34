#include "calsync/ICalComponents.h"

#include <QList>

#include <array>

namespace {

const char* const digestProperty = "X-SEMESTRA-DIGEST";
const char* const ownerProperty = "X-SEMESTRA-DOCUMENT";
const char* const calendarNameProperty = "X-WR-CALNAME";

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

QString xValue(icalcomponent* component, const char* name)
{
    for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); property;
         property = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        if (qstrcmp(icalproperty_get_x_name(property), name) == 0)
            return QString::fromUtf8(icalproperty_get_x(property));
    }
    return {};
}

void removeX(icalcomponent* component, const char* name)
{
    QList<icalproperty*> found;
    for (icalproperty* property = icalcomponent_get_first_property(component, ICAL_X_PROPERTY); property;
         property = icalcomponent_get_next_property(component, ICAL_X_PROPERTY)) {
        if (qstrcmp(icalproperty_get_x_name(property), name) == 0)
            found.append(property);
    }
    for (icalproperty* property : found) {
        icalcomponent_remove_property(component, property);
        icalproperty_free(property);
    }
}

void addX(icalcomponent* component, const char* name, const QString& value)
{
    icalproperty* property = icalproperty_new_x(utf8(value).constData());
    icalproperty_set_x_name(property, name);
    icalcomponent_add_property(component, property);
}

void removeAll(icalcomponent* component, icalproperty_kind kind)
{
    while (icalproperty* property = icalcomponent_get_first_property(component, kind)) {
        icalcomponent_remove_property(component, property);
        icalproperty_free(property);
    }
}

icaltimetype toICal(const DateComponents& parts, bool isDate)
{
    icaltimetype time = icaltime_null_time();
    time.year = parts.year;
    time.month = parts.month;
    time.day = parts.day;
    time.is_date = isDate ? 1 : 0;
    if (!isDate) {
        time.hour = parts.hour;
        time.minute = parts.minute;
        time.second = parts.second;
    }
    return time;
}

DateComponents fromICal(const icaltimetype& time)
{
    return { time.year, time.month, time.day, time.hour, time.minute, time.second };
}

icalproperty* timeProperty(icalproperty_kind kind, const icaltimetype& time, const QString& zone)
{
    icalproperty* property
        = kind == ICAL_DTSTART_PROPERTY ? icalproperty_new_dtstart(time) : icalproperty_new_dtend(time);
    if (!time.is_date && !zone.isEmpty())
        icalproperty_add_parameter(property, icalparameter_new_tzid(utf8(zone).constData()));
    return property;
}

// The zone a time property names: its TZID, "UTC" for a time in UTC, empty
// for a floating time.
QString zoneOf(icalproperty* property, const icaltimetype& time)
{
    if (icalparameter* tzid = icalproperty_get_first_parameter(property, ICAL_TZID_PARAMETER))
        return QString::fromUtf8(icalparameter_get_tzid(tzid));
    return icaltime_is_utc(time) ? QStringLiteral("UTC") : QString();
}

} // namespace

ComponentPointer ICalComponents::newCalendar(const QString& title)
{
    ComponentPointer calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Semestra//Semestra//EN"));
    addX(calendar.get(), calendarNameProperty, title);
    return calendar;
}

QString ICalComponents::calendarTitle(icalcomponent* calendar)
{
    return xValue(calendar, calendarNameProperty);
}

QByteArray ICalComponents::text(icalcomponent* component)
{
    char* text = icalcomponent_as_ical_string_r(component);
    QByteArray result(text);
    free(text); // NOLINT(cppcoreguidelines-no-malloc): libical hands out malloc'ed text
    return result;
}

ComponentPointer ICalComponents::parseCalendar(const QByteArray& text)
{
    ComponentPointer parsed(icalparser_parse_string(text.constData()));
    if (!parsed)
        return {};
    if (icalcomponent_isa(parsed.get()) == ICAL_VCALENDAR_COMPONENT)
        return parsed;
    // Several top-level components come back wrapped in an XROOT.
    icalcomponent* inner = icalcomponent_get_first_component(parsed.get(), ICAL_VCALENDAR_COMPONENT);
    if (!inner)
        return {};
    icalcomponent_remove_component(parsed.get(), inner);
    return ComponentPointer(inner);
}

void ICalComponents::writeEvent(icalcomponent* vevent, const CalendarEvent& event, const QString& owner)
{
    static constexpr std::array ours { ICAL_UID_PROPERTY, ICAL_SUMMARY_PROPERTY, ICAL_DESCRIPTION_PROPERTY,
        ICAL_DTSTART_PROPERTY, ICAL_DTEND_PROPERTY, ICAL_DURATION_PROPERTY, ICAL_DTSTAMP_PROPERTY };
    for (icalproperty_kind kind : ours)
        removeAll(vevent, kind);
    removeX(vevent, digestProperty);
    removeX(vevent, ownerProperty);
    addProperties(vevent, event, owner);
}

void ICalComponents::addProperties(icalcomponent* vevent, const CalendarEvent& event, const QString& owner)
{
    icalcomponent_add_property(vevent, icalproperty_new_uid(utf8(event.uid).constData()));
    icalcomponent_add_property(
        vevent, icalproperty_new_dtstamp(icaltime_current_time_with_zone(icaltimezone_get_utc_timezone())));
    icalcomponent_add_property(vevent, icalproperty_new_summary(utf8(event.title).constData()));
    if (!event.notes.isEmpty())
        icalcomponent_add_property(vevent, icalproperty_new_description(utf8(event.notes).constData()));
    const icaltimetype start = toICal(event.start, event.allDay);
    icaltimetype end = toICal(event.allDay ? event.start : event.end, event.allDay);
    // An all-day event ends where the next day begins.
    if (event.allDay)
        icaltime_adjust(&end, 1, 0, 0, 0);
    icalcomponent_add_property(vevent, timeProperty(ICAL_DTSTART_PROPERTY, start, event.timeZone));
    icalcomponent_add_property(vevent, timeProperty(ICAL_DTEND_PROPERTY, end, event.timeZone));
    addX(vevent, digestProperty, QString::fromLatin1(event.digest()));
    addX(vevent, ownerProperty, owner);
}

ComponentPointer ICalComponents::newEvent(const CalendarEvent& event, const QString& owner)
{
    ComponentPointer vevent(icalcomponent_new_vevent());
    addProperties(vevent.get(), event, owner);
    return vevent;
}

StoredEvent ICalComponents::readEvent(icalcomponent* vevent, const QString& calendar)
{
    StoredEvent stored;
    stored.calendar = calendar;
    CalendarEvent& event = stored.event;
    event.uid = uid(vevent);
    event.title = QString::fromUtf8(icalcomponent_get_summary(vevent));
    event.notes = QString::fromUtf8(icalcomponent_get_description(vevent));
    if (icalproperty* start = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY)) {
        const icaltimetype time = icalproperty_get_dtstart(start);
        event.allDay = time.is_date != 0;
        event.start = fromICal(time);
        event.timeZone = event.allDay ? QString() : zoneOf(start, time);
    }
    if (icalproperty* end = icalcomponent_get_first_property(vevent, ICAL_DTEND_PROPERTY))
        event.end = fromICal(icalproperty_get_dtend(end));
    stored.writtenDigest = xValue(vevent, digestProperty).toLatin1();
    stored.owner = xValue(vevent, ownerProperty);
    return stored;
}

QString ICalComponents::uid(icalcomponent* vevent)
{
    return QString::fromUtf8(icalcomponent_get_uid(vevent));
}

void ICalComponents::addTimeZone(icalcomponent* calendar, const QString& zone)
{
    if (zone.isEmpty() || zone == QLatin1String("UTC"))
        return;
    const QByteArray name = utf8(zone);
    for (icalcomponent* vtimezone = icalcomponent_get_first_component(calendar, ICAL_VTIMEZONE_COMPONENT); vtimezone;
         vtimezone = icalcomponent_get_next_component(calendar, ICAL_VTIMEZONE_COMPONENT)) {
        icalproperty* tzid = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY);
        if (tzid && name == icalproperty_get_tzid(tzid))
            return;
    }
    icaltimezone* builtin = icaltimezone_get_builtin_timezone(name.constData());
    if (!builtin)
        return;
    icalcomponent* vtimezone = icalcomponent_new_clone(icaltimezone_get_component(builtin));
    // The built-in zones carry a long prefix in their TZID; events name the
    // zone plainly.
    if (icalproperty* tzid = icalcomponent_get_first_property(vtimezone, ICAL_TZID_PROPERTY))
        icalproperty_set_tzid(tzid, name.constData());
    // Only the rules from 1970 on: the full history of a zone is long and no
    // school year reaches back that far.
    icaltimetype from = icaltime_null_time();
    from.year = 1970;
    from.month = 1;
    from.day = 1;
    from.zone = icaltimezone_get_utc_timezone();
    icaltimezone_truncate_vtimezone(vtimezone, from, icaltime_null_time(), 0);
    icalcomponent_add_component(calendar, vtimezone);
}
