#include "foundation/dates/Clock.h"

#include <unicode/calendar.h>

namespace {

std::optional<Date>& fixedNow()
{
    static std::optional<Date> fixed;
    return fixed;
}

} // namespace

Date Clock::now()
{
    if (const auto& fixed = fixedNow())
        return *fixed;
    return Date::fromUDate(icu::Calendar::getNow());
}

void Clock::setFixedNow(std::optional<Date> fixed)
{
    fixedNow() = fixed;
}

Clock::Held::Held()
    : m_holding(!fixedNow())
{
    if (m_holding)
        fixedNow() = now();
}

Clock::Held::~Held()
{
    if (m_holding)
        fixedNow() = std::nullopt;
}
