#include "model/Week.h"

#include "foundation/dates/DateFormatting.h"
#include "model/Day.h"
#include "model/Year.h"

#include <algorithm>

Year* Week::year() const
{
    return object<Year>(u"year");
}

QList<Day*> Week::daysInOrder() const
{
    QList<Day*> ordered = days();
    std::stable_sort(ordered.begin(), ordered.end(),
        [](const Day* a, const Day* b) { return a->actualDate() < b->actualDate(); });
    return ordered;
}

QString Week::prettyPrintWeek() const
{
    const QList<Day*> ordered = daysInOrder();
    if (ordered.isEmpty())
        return {};
    return DateFormatting::formatTemplate(ordered.first()->actualDate(), QStringLiteral("dMMM")) + QStringLiteral(" - ")
        + DateFormatting::formatTemplate(ordered.last()->actualDate(), QStringLiteral("dMMMy"));
}

QList<Day*> Week::days() const
{
    return objects<Day>(u"days");
}
