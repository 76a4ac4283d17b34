#include "schedule/TypedTime.h"

#include "foundation/dates/LocalCalendar.h"

namespace {

enum class Marker { None, Morning, Afternoon };

struct TimeOfDay {
    int hour = 0;
    int minute = 0;
};

constexpr int noon = 12;
// Lone hours below this are afternoon school hours when no marker is typed.
constexpr int earliestMorningHour = 6;

Marker markerIn(const QString& text)
{
    if (text.contains(QLatin1Char('p')))
        return Marker::Afternoon;
    if (text.contains(QLatin1Char('a')))
        return Marker::Morning;
    return Marker::None;
}

// The leading digits without their leading zeros, as the number they spell.
QString leadingNumber(const QString& text)
{
    qsizetype start = 0;
    while (start < text.size() && text.at(start).isSpace())
        ++start;
    qsizetype end = start;
    while (end < text.size() && text.at(end).isDigit() && text.at(end).unicode() < 128)
        ++end;
    QString digits = text.mid(start, end - start);
    while (digits.startsWith(QLatin1Char('0')))
        digits.remove(0, 1);
    return digits;
}

std::optional<TimeOfDay> timeOfDay(const QString& digits, Marker marker)
{
    const int number = digits.toInt();
    const bool afternoon = marker == Marker::Afternoon;
    switch (digits.size()) {
    case 1: {
        const bool addNoon = (afternoon && number < noon) || (marker == Marker::None && number < earliestMorningHour);
        return TimeOfDay { addNoon ? number + noon : number, 0 };
    }
    case 2:
        return TimeOfDay { afternoon && number < noon ? number + noon : number, 0 };
    case 3: {
        const int hour = number / 100;
        const bool addNoon = afternoon || (marker == Marker::None && hour < earliestMorningHour);
        return TimeOfDay { addNoon ? hour + noon : hour, number % 100 };
    }
    case 4:
        return TimeOfDay { number / 100, number % 100 };
    default:
        return std::nullopt;
    }
}

} // namespace

namespace TypedTime {

std::optional<Date> parse(const QString& text, Date day)
{
    const QString cleaned = text.toLower().remove(QLatin1Char(':'));
    const std::optional<TimeOfDay> time = timeOfDay(leadingNumber(cleaned), markerIn(cleaned));
    // Out-of-range fields would roll into the next hour or day.
    if (!time || time->hour > 23 || time->minute > 59)
        return std::nullopt;
    DateComponents components = LocalCalendar::components(day);
    components.hour = time->hour;
    components.minute = time->minute;
    components.second = 0;
    return LocalCalendar::dateFromComponents(components);
}

} // namespace TypedTime
