#include "publish/CalendarFeed.h"

#include "publish/HtmlText.h"

#include <libical/ical.h>

#include <memory>

namespace {

struct ComponentFree {
    void operator()(icalcomponent* component) const { icalcomponent_free(component); }
};
using Component = std::unique_ptr<icalcomponent, ComponentFree>;

// Times go out in UTC: correct in every zone, with no time-zone
// definitions to carry along.
icaltimetype utcTime(Date date)
{
    const auto seconds = time_t(date.toUDate() / 1000.0);
    return icaltime_from_timet_with_zone(seconds, 0, icaltimezone_get_utc_timezone());
}

icaltimetype calendarDate(const DateComponents& parts)
{
    icaltimetype day = icaltime_null_date();
    day.year = parts.year;
    day.month = parts.month;
    day.day = parts.day;
    return day;
}

QByteArray utf8(const QString& text)
{
    return text.toUtf8();
}

icalcomponent* newEvent(const QString& uid, const QString& summary, Date stamp)
{
    icalcomponent* event = icalcomponent_new(ICAL_VEVENT_COMPONENT);
    icalcomponent_add_property(event, icalproperty_new_uid(utf8(uid).constData()));
    icalcomponent_add_property(event, icalproperty_new_dtstamp(utcTime(stamp)));
    icalcomponent_add_property(event, icalproperty_new_summary(utf8(summary).constData()));
    return event;
}

void setAllDay(icalcomponent* event, const DateComponents& date)
{
    const icaltimetype day = calendarDate(date);
    icaltimetype next = day;
    icaltime_adjust(&next, 1, 0, 0, 0);
    icalcomponent_set_dtstart(event, day);
    icalcomponent_set_dtend(event, next);
    icalcomponent_add_property(event, icalproperty_new_transp(ICAL_TRANSP_TRANSPARENT));
}

QString description(const SiteSettings& settings, const SiteLesson& lesson)
{
    QStringList parts;
    for (size_t field = 0; field < size_t(publishedFieldCount); ++field) {
        const QString text = lesson.fields[field].trimmed();
        if (!settings.publishField[field] || text.isEmpty())
            continue;
        const QString& caption = settings.captions[field];
        parts.append(caption.isEmpty() ? text : caption + QStringLiteral(":\n") + text);
    }
    return parts.join(QStringLiteral("\n\n"));
}

icalcomponent* lessonEvent(
    const SiteFrame& frame, const SiteCourse& course, const SiteDayPage& page, const SiteLesson& lesson)
{
    const SiteSettings& settings = frame.settings;
    const Date stamp = lesson.lastUpdated.value_or(Date::fromSecondsSinceReferenceDate(double(settings.yearIdentity)));
    icalcomponent* event = newEvent(
        CalendarFeed::lessonUID(settings, lesson.key), lesson.title.isEmpty() ? course.name : lesson.title, stamp);
    if (lesson.startTime && lesson.endTime && *lesson.endTime > *lesson.startTime) {
        icalcomponent_set_dtstart(event, utcTime(*lesson.startTime));
        icalcomponent_set_dtend(event, utcTime(*lesson.endTime));
    } else {
        setAllDay(event, page.day->parts);
    }
    const QString text = description(settings, lesson);
    if (!text.isEmpty())
        icalcomponent_add_property(event, icalproperty_new_description(utf8(text).constData()));
    // Relative to the feed, which sits beside the month pages: a calendar
    // that subscribed to the feed's address finds the page from there.
    const QString url = HtmlText::pathHref({ page.folder, QStringLiteral("index.html") });
    icalcomponent_add_property(event, icalproperty_new_url(utf8(url).constData()));
    return event;
}

icalcomponent* nonSchoolDayEvent(const SiteSettings& settings, const SiteDay& day)
{
    const QString name = !day.holidayName.isEmpty() ? day.holidayName
        : day.isHoliday                             ? QStringLiteral("Holiday")
                                                    : QStringLiteral("Cancelled");
    const Date stamp = day.lastUpdated.value_or(Date::fromSecondsSinceReferenceDate(double(settings.yearIdentity)));
    icalcomponent* event = newEvent(CalendarFeed::dayUID(settings, day.key), name, stamp);
    setAllDay(event, day.parts);
    return event;
}

} // namespace

QByteArray CalendarFeed::build(const SiteFrame& frame, const SiteCourse& course, const QList<const SiteDayPage*>& pages)
{
    Component calendar(icalcomponent_new(ICAL_VCALENDAR_COMPONENT));
    icalcomponent_add_property(calendar.get(), icalproperty_new_version("2.0"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_prodid("-//Semestra//Class Web Site//EN"));
    icalcomponent_add_property(calendar.get(), icalproperty_new_calscale("GREGORIAN"));
    icalproperty* name = icalproperty_new_x(utf8(course.name).constData());
    icalproperty_set_x_name(name, "X-WR-CALNAME");
    icalcomponent_add_property(calendar.get(), name);
    for (const SiteDayPage* page : pages) {
        for (const SiteLesson& lesson : page->courseDay->lessons)
            icalcomponent_add_component(calendar.get(), lessonEvent(frame, course, *page, lesson));
    }
    for (const SiteDay& day : frame.days) {
        if (day.isNonSchoolDay() && frame.settings.inLessonRange(day.date))
            icalcomponent_add_component(calendar.get(), nonSchoolDayEvent(frame.settings, day));
    }
    char* text = icalcomponent_as_ical_string_r(calendar.get());
    QByteArray bytes(text);
    icalmemory_free_buffer(text);
    return bytes;
}

QString CalendarFeed::lessonUID(const SiteSettings& settings, qint64 lessonKey)
{
    return QStringLiteral("lesson-%1-%2@semestra").arg(settings.yearIdentity).arg(lessonKey);
}

QString CalendarFeed::dayUID(const SiteSettings& settings, qint64 dayKey)
{
    return QStringLiteral("day-%1-%2@semestra").arg(settings.yearIdentity).arg(dayKey);
}
