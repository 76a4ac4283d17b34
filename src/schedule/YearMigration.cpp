#include "schedule/YearMigration.h"

#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/LessonReportInformation.h"
#include "model/PublishInfo.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QDate>

namespace {

QDate calendarDay(Date date)
{
    const DateComponents parts = LocalCalendar::components(date);
    return QDate(parts.year, parts.month, parts.day);
}

void moveDate(ManagedObject& record, const char16_t* key, int days)
{
    if (const auto date = record.value<std::optional<Date>>(key))
        record.setDate(key, LocalCalendar::addingDays(*date, days));
}

} // namespace

Date YearMigration::newStartDate(Date chosen)
{
    const Date midnight = chosen.midnightDate();
    return LocalCalendar::addingDays(midnight, 1 - LocalCalendar::weekday(midnight));
}

int YearMigration::daysToMove(const Year& year, Date chosen)
{
    // From the Sunday of the year's first week, so that the move is whole
    // weeks even for a year whose start is not a Sunday.
    return int(calendarDay(newStartDate(year.startDate())).daysTo(calendarDay(newStartDate(chosen))));
}

void YearMigration::migrate(Year& year, Date chosen)
{
    moveDates(year, daysToMove(year, chosen));
    year.fixLessonTimes();
    forgetOnlineAndCalendarIdentifiers(year);
}

void YearMigration::moveDates(Year& year, int days)
{
    // From midnight: a day an old clock change left an hour off lands on
    // midnight of its new date.
    for (Day* day : year.context().fetch<Day>({ QStringLiteral("Day"), {}, {} }))
        day->setDate(u"actualDate", LocalCalendar::addingDays(day->actualDate().midnightDate(), days));
    year.setDate(u"startDate", LocalCalendar::addingDays(year.startDate().midnightDate(), days));
    year.setDate(u"endDate", LocalCalendar::addingDays(year.endDate(), days));
    if (PublishInfo* publish = year.publish()) {
        for (const char16_t* key :
            { u"calendarExportEndDate", u"calendarExportStartDate", u"lessonExportStartDate", u"lessonExportEndDate" })
            publish->setDate(key, year.startDate());
    }
    if (auto* report = year.object<LessonReportInformation>(u"lessonReportInformation")) {
        moveDate(*report, u"startDateForDaily", days);
        moveDate(*report, u"endDateForDaily", days);
    }
}

void YearMigration::forgetOnlineAndCalendarIdentifiers(Year& year)
{
    // The year's identifier on the service, its last sync time, its delete
    // stack, and when it last wrote calendar events.
    for (const char16_t* key : { u"teacherSchool", u"teacherAddress", u"teacherPhone" })
        year.setValue(key, QVariant());
    year.setDate(u"lastICalSync", std::nullopt);
    ObjectContext& context = year.context();
    for (const EntityDescription* entity : context.model().rootEntities()) {
        for (ManagedObject* record : context.objectsOfEntity(*entity)) {
            for (const char16_t* key : { u"syncID", u"iCalUID", u"iCalUIDNotes", u"iCalUIDNonSchool" }) {
                // Sub-entities may place an attribute elsewhere: look it up on the record's own entity.
                const int slot = record->entity().attributeIndex(key);
                if (slot >= 0 && record->valueAtSlot(slot).isValid())
                    record->setValueAtSlot(slot, QVariant());
            }
        }
    }
}
