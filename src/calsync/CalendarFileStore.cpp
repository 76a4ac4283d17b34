#include "calsync/CalendarFileStore.h"

#include "foundation/paths/UserPaths.h"
#include "foundation/plist/PropertyList.h"

#include <QDir>
#include <QFile>
#include <QSaveFile>

const QString CalendarFileStore::storeType = QStringLiteral("Local");
const QString CalendarFileStore::indexFileName = QStringLiteral("calendars.plist");

namespace {

// Another sync of the same folder finishes its writes in well under this.
constexpr int lockWaitMs = 2000;
constexpr qsizetype longestFileStem = 80;

using Error = CalendarStore::Error;
using Failure = CalendarStore::Failure;

Error unavailable(const QString& message)
{
    return { Failure::Unavailable, message };
}

QString safeStem(const QString& title)
{
    QString stem;
    for (const QChar c : title.trimmed())
        stem += c.isLetterOrNumber() || c == QLatin1Char(' ') || c == QLatin1Char('-') ? c : QLatin1Char('_');
    stem = stem.left(longestFileStem).trimmed();
    // A leading dot would hide the file; the lock and temporary files use it.
    if (stem.isEmpty() || stem.startsWith(QLatin1Char('.')))
        stem.prepend(QStringLiteral("Calendar"));
    return stem;
}

} // namespace

CalendarFileStore::CalendarFileStore(QString folder)
    : m_folder(std::move(folder))
{ }

CalendarFileStore::~CalendarFileStore() = default;

QString CalendarFileStore::defaultFolder()
{
    return UserPaths::filePath(QStringLiteral("calendars"));
}

CalendarStore::Outcome CalendarFileStore::open()
{
    forget();
    if (!QDir().mkpath(m_folder))
        return unavailable(QStringLiteral("The folder %1 could not be created.").arg(m_folder));
    m_lock = std::make_unique<QLockFile>(QDir(m_folder).filePath(QStringLiteral(".lock")));
    if (!m_lock->tryLock(lockWaitMs)) {
        m_lock.reset();
        return unavailable(QStringLiteral("The calendar folder %1 is in use by another sync.").arg(m_folder));
    }
    if (Outcome failed = readIndex()) {
        forget();
        return failed;
    }
    return std::nullopt;
}

// Without an index (a folder filled by hand, or an index lost), the files
// name their calendars themselves.
CalendarStore::Outcome CalendarFileStore::readIndex()
{
    const QDir folder(m_folder);
    QVariantMap index;
    if (folder.exists(indexFileName)) {
        const Result<QVariant> read = PropertyList::readFile(folder.filePath(indexFileName));
        if (!read)
            return unavailable(QStringLiteral("%1 could not be read: %2").arg(indexFileName, read.error()));
        index = read->toMap();
    } else {
        for (const QString& fileName : folder.entryList({ QStringLiteral("*.ics") }, QDir::Files)) {
            QFile file(folder.filePath(fileName));
            if (!file.open(QIODevice::ReadOnly))
                continue;
            const ComponentPointer calendar = ICalComponents::parseCalendar(file.readAll());
            if (calendar && !ICalComponents::calendarTitle(calendar.get()).isEmpty())
                index.insert(ICalComponents::calendarTitle(calendar.get()), fileName);
        }
    }
    for (auto entry = index.cbegin(); entry != index.cend(); ++entry) {
        if (Outcome failed = readCalendar(entry.key(), entry.value().toString()))
            return failed;
    }
    return std::nullopt;
}

// A file that is there but cannot be read stops the sync: writing it anew
// would lose whatever else it holds.
CalendarStore::Outcome CalendarFileStore::readCalendar(const QString& title, const QString& fileName)
{
    if (fileName.isEmpty() || fileName.contains(QLatin1Char('/')) || fileName.startsWith(QLatin1Char('.')))
        return unavailable(QStringLiteral("%1 names an unsafe file for %2.").arg(indexFileName, title));
    Calendar calendar { title, fileName, {}, false, {} };
    QFile file(QDir(m_folder).filePath(fileName));
    if (!file.exists()) {
        calendar.component = ICalComponents::newCalendar(title);
        calendar.changed = true;
    } else {
        if (!file.open(QIODevice::ReadOnly))
            return unavailable(QStringLiteral("%1 could not be read.").arg(file.fileName()));
        calendar.component = ICalComponents::parseCalendar(file.readAll());
        if (!calendar.component)
            return unavailable(QStringLiteral("%1 is not a calendar file.").arg(file.fileName()));
    }
    Calendar& kept = m_calendars[title] = std::move(calendar);
    icalcomponent* component = kept.component.get();
    for (icalcomponent* vevent = icalcomponent_get_first_component(component, ICAL_VEVENT_COMPONENT); vevent;
         vevent = icalcomponent_get_next_component(component, ICAL_VEVENT_COMPONENT)) {
        const QString uid = ICalComponents::uid(vevent);
        if (!uid.isEmpty() && !m_events.contains(uid))
            m_events.insert(uid, { &kept, vevent });
    }
    for (icalcomponent* zone = icalcomponent_get_first_component(component, ICAL_VTIMEZONE_COMPONENT); zone;
         zone = icalcomponent_get_next_component(component, ICAL_VTIMEZONE_COMPONENT)) {
        if (icalproperty* tzid = icalcomponent_get_first_property(zone, ICAL_TZID_PROPERTY))
            kept.zones.insert(QString::fromUtf8(icalproperty_get_tzid(tzid)));
    }
    return std::nullopt;
}

CalendarStore::Outcome CalendarFileStore::close()
{
    Outcome failed;
    QVariantMap index;
    bool indexChanged = !QDir(m_folder).exists(indexFileName);
    for (auto& [title, calendar] : m_calendars) {
        index.insert(title, calendar.fileName);
        if (!calendar.changed)
            continue;
        indexChanged = true;
        if (Outcome written = writeCalendar(calendar); written && !failed)
            failed = written;
    }
    if (indexChanged && m_lock && !failed) {
        const Status written = PropertyList::writeXmlFile(QDir(m_folder).filePath(indexFileName), index);
        if (!written)
            failed = error(Failure::Other, written.error());
    }
    forget();
    return failed;
}

CalendarStore::Outcome CalendarFileStore::writeCalendar(const Calendar& calendar) const
{
    QSaveFile file(QDir(m_folder).filePath(calendar.fileName));
    if (!file.open(QIODevice::WriteOnly) || file.write(ICalComponents::text(calendar.component.get())) < 0
        || !file.commit())
        return error(
            Failure::Other, QStringLiteral("%1 could not be written: %2").arg(file.fileName(), file.errorString()));
    return std::nullopt;
}

void CalendarFileStore::forget()
{
    m_events.clear();
    m_calendars.clear();
    m_lock.reset();
}

QList<CalendarInfo> CalendarFileStore::calendars() const
{
    QList<CalendarInfo> all;
    for (const auto& entry : m_calendars)
        all.append({ entry.first, storeType });
    return all;
}

QString CalendarFileStore::fileNameForTitle(const QString& title) const
{
    QSet<QString> used;
    for (const auto& entry : m_calendars)
        used.insert(entry.second.fileName.toLower());
    const QString stem = safeStem(title);
    QString name = stem + QStringLiteral(".ics");
    for (int n = 2; used.contains(name.toLower()) || QDir(m_folder).exists(name); ++n)
        name = QStringLiteral("%1 %2.ics").arg(stem).arg(n);
    return name;
}

CalendarStore::Outcome CalendarFileStore::createCalendar(const QString& title)
{
    if (m_calendars.contains(title))
        return std::nullopt;
    m_calendars[title] = Calendar { title, fileNameForTitle(title), ICalComponents::newCalendar(title), true, {} };
    return std::nullopt;
}

Result<QList<StoredEvent>> CalendarFileStore::events(const QString& calendar)
{
    QList<StoredEvent> all;
    const auto found = m_calendars.find(calendar);
    if (found == m_calendars.end())
        return all;
    icalcomponent* component = found->second.component.get();
    for (icalcomponent* vevent = icalcomponent_get_first_component(component, ICAL_VEVENT_COMPONENT); vevent;
         vevent = icalcomponent_get_next_component(component, ICAL_VEVENT_COMPONENT))
        all.append(ICalComponents::readEvent(vevent, calendar));
    return all;
}

CalendarFileStore::Located CalendarFileStore::locate(const QString& uid)
{
    return m_events.value(uid);
}

Result<std::optional<StoredEvent>> CalendarFileStore::findEvent(const QString& uid)
{
    const Located located = locate(uid);
    if (!located.vevent)
        return std::optional<StoredEvent>();
    return std::optional<StoredEvent>(ICalComponents::readEvent(located.vevent, located.calendar->title));
}

CalendarStore::Outcome CalendarFileStore::saveEvent(
    const QString& calendar, const CalendarEvent& event, const QString& owner, const StoredEvent* previous)
{
    const auto target = m_calendars.find(calendar);
    if (target == m_calendars.end())
        return error(Failure::Other, QStringLiteral("calendar not found: %1").arg(calendar));
    Located located = previous ? locate(previous->event.uid) : Located {};
    Calendar* destination = &target->second;
    if (located.vevent && located.calendar != destination) {
        // Moving keeps the properties others gave the event.
        icalcomponent_remove_component(located.calendar->component.get(), located.vevent);
        located.calendar->changed = true;
        icalcomponent_add_component(target->second.component.get(), located.vevent);
    }
    if (located.vevent) {
        ICalComponents::writeEvent(located.vevent, event, owner);
    } else {
        located.vevent = ICalComponents::newEvent(event, owner).release();
        icalcomponent_add_component(destination->component.get(), located.vevent);
    }
    if (!event.allDay && !destination->zones.contains(event.timeZone)) {
        ICalComponents::addTimeZone(destination->component.get(), event.timeZone);
        destination->zones.insert(event.timeZone);
    }
    destination->changed = true;
    m_events.insert(event.uid, { destination, located.vevent });
    countWrite();
    return std::nullopt;
}

CalendarStore::Outcome CalendarFileStore::deleteEvent(const StoredEvent& event)
{
    const Located located = locate(event.event.uid);
    if (!located.vevent)
        return std::nullopt;
    icalcomponent_remove_component(located.calendar->component.get(), located.vevent);
    icalcomponent_free(located.vevent);
    located.calendar->changed = true;
    m_events.remove(event.event.uid);
    countWrite();
    return std::nullopt;
}
