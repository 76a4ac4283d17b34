#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/Week.h"
#include "model/Year.h"

#include <algorithm>

namespace {

constexpr double oneHour = 3600;

// Steps toward the nearer occurrence of the weekday, so that a Sunday shown
// as the Saturday before moves forward an hour rather than back six days.
void moveOntoWeekday(Day& day, int weekday)
{
    const int daysAhead = (weekday - day.dayOfWeek() + 7) % 7;
    const double step = daysAhead <= 3 ? oneHour : -oneHour;
    Date date = day.actualDate();
    while (LocalCalendar::weekday(date) != weekday)
        date = date.addingSeconds(step);
    day.setDate(u"actualDate", date);
}

} // namespace

void Week::makeDaysLike(const Week& model)
{
    const QList<Day*> mine = daysInOrder();
    const QList<Day*> theirs = model.daysInOrder();
    for (qsizetype i = 0; i < std::min(mine.size(), theirs.size()); ++i) {
        const int wanted = theirs.at(i)->dayOfWeek();
        if (mine.at(i)->dayOfWeek() == wanted)
            return;
        moveOntoWeekday(*mine.at(i), wanted);
    }
}

void Year::fixDaylightSavings()
{
    QList<Week*> ordered = weeks();
    if (ordered.isEmpty())
        return;
    std::stable_sort(
        ordered.begin(), ordered.end(), [](const Week* a, const Week* b) { return a->weekNumber() < b->weekNumber(); });
    for (Week* week : ordered)
        week->makeDaysLike(*ordered.first());
}
