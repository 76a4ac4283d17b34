#include "foundation/alerts/AlertPresenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ScheduleOrder.h"
#include "model/Unit.h"
#include "store/ObjectContext.h"

#include <unicode/coll.h>

#include <algorithm>
#include <memory>

namespace {

// People number their units: "Unit 2" comes before "Unit 10", in the user's
// language. ICU's numeric collation does so, where Qt's collator ignores its
// numeric mode in the "C" locale. That locale's own ICU rules (en_US_POSIX)
// order digits as plain characters, so it takes the common rules instead.
const icu::Collator& unitNameCollator()
{
    static const std::unique_ptr<icu::Collator> collator = [] {
        UErrorCode status = U_ZERO_ERROR;
        const icu::Locale& user = icu::Locale::getDefault();
        const bool posix = qstrcmp(user.getVariant(), "POSIX") == 0;
        std::unique_ptr<icu::Collator> made(
            icu::Collator::createInstance(posix ? icu::Locale::getRoot() : user, status));
        if (U_FAILURE(status) || !made) {
            status = U_ZERO_ERROR;
            made.reset(icu::Collator::createInstance(icu::Locale::getRoot(), status));
        }
        made->setAttribute(UCOL_NUMERIC_COLLATION, UCOL_ON, status);
        made->setStrength(icu::Collator::SECONDARY);
        return made;
    }();
    return *collator;
}

icu::UnicodeString icuString(const QString& text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
}

} // namespace

QList<Lesson*> Course::allLessonsInOrder() const
{
    QList<Lesson*> ordered = lessons();
    ScheduleOrder::sortInCourseOrder(ordered);
    return ordered;
}

QList<Lesson*> Course::lessonsInOrderFrom(Date from, Date to) const
{
    const Date first = from.midnightDate();
    const Date last = to.elevenFiftyNineDate();
    QList<Lesson*> ordered = allLessonsInOrder();
    ordered.removeIf([&](const Lesson* lesson) {
        const Day* day = lesson->dayTaught();
        return !day || day->actualDate() < first || day->actualDate() > last;
    });
    return ordered;
}

QList<Day*> Course::allDaysWithLessonsInOrder() const
{
    QList<Day*> days;
    // Lessons come day by day, so a day already listed is the last one.
    for (const Lesson* lesson : allLessonsInOrder()) {
        Day* day = lesson->dayTaught();
        if (day && (days.isEmpty() || days.last() != day))
            days.append(day);
    }
    return days;
}

// Of several lessons on the nearest day, the one the course met first
// (course order) is returned.
Lesson* Course::getLessonClosestToToday() const
{
    const QList<Lesson*> ordered = allLessonsInOrder();
    const auto closest = std::min_element(ordered.begin(), ordered.end(),
        [](const Lesson* a, const Lesson* b) { return a->timeFromNow() < b->timeFromNow(); });
    return closest != ordered.end() ? *closest : nullptr;
}

QList<Lesson*> Course::returnLessonsFollowing(const Lesson* lesson, int count, AlertPresenter& alerts) const
{
    const QList<Lesson*> ordered = allLessonsInOrder();
    const qsizetype index = ordered.indexOf(lesson);
    const qsizetype remaining = index < 0 ? 0 : ordered.size() - index;
    if (remaining < count) {
        alerts.runModal(Alert { QStringLiteral("Too Few Lessons"),
            QStringLiteral("There aren't enough lessons left in %1 to store the %2 lessons being copied")
                .arg(courseName())
                .arg(count),
            QStringLiteral("Ok"), {}, {} });
        return {};
    }
    return ordered.mid(index, count);
}

QList<Unit*> Course::unitsArray() const
{
    const icu::Collator& collator = unitNameCollator();
    QList<Unit*> sorted = units();
    std::stable_sort(sorted.begin(), sorted.end(), [&](const Unit* a, const Unit* b) {
        UErrorCode status = U_ZERO_ERROR;
        return collator.compare(icuString(a->unitName()), icuString(b->unitName()), status) == UCOL_LESS;
    });
    return sorted;
}

Unit* Course::unitWithName(const QString& unitName) const
{
    for (Unit* unit : units()) {
        if (unit->unitName().compare(unitName, Qt::CaseInsensitive) == 0)
            return unit;
    }
    return nullptr;
}

Unit* Course::addUnitWithName(const QString& unitName)
{
    auto* unit = context().insert<Unit>(QStringLiteral("Unit"));
    unit->setValue(u"unitName", unitName);
    unit->setObject(u"course", this);
    unit->setObject(u"year", object(u"year"));
    return unit;
}
