#include "CalendarSyncFixture.h"

#include "calsync/ICalComponents.h"
#include "foundation/plist/PropertyList.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QDir>
#include <QFile>

CalendarSyncFixture::CalendarSyncFixture()
    : m_now(ScheduleBuilder::localDate(2025, 10, 20, 9))
{
    algebra = builder.course(QStringLiteral("Algebra"));
    biology = builder.course(QStringLiteral("Biology"));
    for (int offset : { 1, 2, 3, 4, 5, 8, 9, 10, 11, 12 }) {
        Day* day = builder.day(offset);
        builder.lesson(algebra, day, 8, 30)->setValue(u"lessonTitle", QStringLiteral("Algebra %1").arg(offset));
        builder.lesson(biology, day, 10, 0)->setValue(u"lessonTitle", QStringLiteral("Biology %1").arg(offset));
    }
    later();
}

Lesson* CalendarSyncFixture::lesson(const QString& course, int dayOffset)
{
    for (Lesson* candidate : builder.day(dayOffset)->lessons()) {
        if (candidate->courseName() == course)
            return candidate;
    }
    return nullptr;
}

void CalendarSyncFixture::later()
{
    m_now = m_now.addingSeconds(3600);
    clock.set(m_now);
}

CalendarSyncCounts CalendarSyncFixture::syncAll()
{
    CalendarFileStore store(folder());
    return sync(store, false);
}

CalendarSyncCounts CalendarSyncFixture::syncChanges()
{
    CalendarFileStore store(folder());
    return sync(store, true);
}

CalendarSyncCounts CalendarSyncFixture::sync(CalendarStore& store, bool changesOnly)
{
    ICalSyncController controller(year(), alerts);
    if (changesOnly)
        controller.syncChangesToiCal();
    else
        controller.syncAllToiCal();
    const CalendarSyncCounts counts = controller.startSync(store);
    m_lastWrites = store.writes();
    later();
    return counts;
}

QString CalendarSyncFixture::calendarFilePath(const QString& calendar) const
{
    const Result<QVariant> index = PropertyList::readFile(QDir(folder()).filePath(CalendarFileStore::indexFileName));
    if (!index)
        return {};
    const QString fileName = index->toMap().value(calendar).toString();
    return fileName.isEmpty() ? QString() : QDir(folder()).filePath(fileName);
}

QStringList CalendarSyncFixture::calendarTitles() const
{
    const Result<QVariant> index = PropertyList::readFile(QDir(folder()).filePath(CalendarFileStore::indexFileName));
    return index ? index->toMap().keys() : QStringList();
}

QList<FileEvent> CalendarSyncFixture::fileEvents(const QString& calendar) const
{
    QFile file(calendarFilePath(calendar));
    if (!file.open(QIODevice::ReadOnly))
        return {};
    const ComponentPointer parsed = ICalComponents::parseCalendar(file.readAll());
    QList<FileEvent> events;
    for (icalcomponent* vevent = icalcomponent_get_first_component(parsed.get(), ICAL_VEVENT_COMPONENT); vevent;
         vevent = icalcomponent_get_next_component(parsed.get(), ICAL_VEVENT_COMPONENT)) {
        FileEvent event;
        event.uid = QString::fromUtf8(icalcomponent_get_uid(vevent));
        event.summary = QString::fromUtf8(icalcomponent_get_summary(vevent));
        event.description = QString::fromUtf8(icalcomponent_get_description(vevent));
        icalproperty* start = icalcomponent_get_first_property(vevent, ICAL_DTSTART_PROPERTY);
        const icaltimetype time = icalproperty_get_dtstart(start);
        event.allDay = time.is_date != 0;
        event.start = QString::fromUtf8(icaltime_as_ical_string(time));
        if (icalparameter* zone = icalproperty_get_first_parameter(start, ICAL_TZID_PARAMETER))
            event.startZone = QString::fromUtf8(icalparameter_get_tzid(zone));
        events.append(event);
    }
    return events;
}
