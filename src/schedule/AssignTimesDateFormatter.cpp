#include "schedule/AssignTimesDateFormatter.h"

#include "foundation/dates/DateFormatting.h"
#include "schedule/TypedTime.h"

QString AssignTimesDateFormatter::string(Date time)
{
    return DateFormatting::formatShortTime(time);
}

std::optional<Date> AssignTimesDateFormatter::parse(const QString& text)
{
    const Date today = Date::now();
    // The locale's hour-and-minute form is its short time form.
    if (const auto localised = DateFormatting::parse(text, DateFormatting::patternForTemplate(QStringLiteral("jmm"))))
        return localised->timeOnDate(today);
    if (const auto typed = TypedTime::parse(text, today))
        return typed;
    for (const QString& pattern : { QStringLiteral("hmm a"), QStringLiteral("HHmm"), QStringLiteral("HH:mm") }) {
        if (const auto fixed = DateFormatting::parse(text, pattern))
            return fixed->timeOnDate(today);
    }
    return std::nullopt;
}
