#include "exchange/windows/ExchangeSyncTime.h"

#include <cmath>

namespace {

constexpr double referenceDateSince1970 = 978307200.0;
// Year 1 of the common era, the earliest date the platform's calendars know.
constexpr Date distantPast = Date::fromSecondsSinceReferenceDate(-63114076800.0);
constexpr double secondsPerDay = 86400.0;

QString textFor(Date date)
{
    return QString::asprintf("%f", date.secondsSinceReferenceDate() + referenceDateSince1970);
}

} // namespace

QString ExchangeSyncTime::documentText(Date fileDate)
{
    if (fileDate > Date::now().addingSeconds(secondsPerDay))
        return neverSynced();
    return textFor(fileDate);
}

QString ExchangeSyncTime::neverSynced()
{
    return textFor(distantPast);
}

std::optional<Date> ExchangeSyncTime::fileDate(const QString& documentText)
{
    bool ok = false;
    const double since1970 = documentText.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(since1970))
        return std::nullopt;
    return Date::fromSecondsSinceReferenceDate(since1970 - referenceDateSince1970);
}
