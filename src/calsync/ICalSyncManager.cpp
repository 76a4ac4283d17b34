#include "calsync/ICalSyncManager.h"

#include "calsync/CalDavStore.h"
#include "calsync/CalendarFileStore.h"
#include "model/Course.h"
#include "model/Year.h"

namespace {

const QString calendarNameKey = QStringLiteral("calendarName");
const QString calendarTypeKey = QStringLiteral("calendarType");

} // namespace

ICalSyncManager::ICalSyncManager(Year& year)
    : m_year(year)
{
    windowDidLoad();
}

ICalSyncManager::~ICalSyncManager() = default;

void ICalSyncManager::windowDidLoad()
{
    if (m_year.calendarSyncDict().isEmpty())
        m_year.generateCalendarSyncDict();
    m_settings = std::make_unique<CalendarSyncSettings>(m_year);
    m_rows.clear();
    for (const Course* course : m_year.courses())
        m_rows.append({ course->courseName(), 0 });
    m_rows.append({ Year::notesCalendarKey, 0 });
    m_rows.append({ Year::nonSchoolDaysCalendarKey, 0 });
    rebuildPossibleCalendars();
    const QVariantMap& table = m_year.calendarSyncDict();
    for (Row& row : m_rows) {
        const QVariantMap entry = table.value(row.key).toMap();
        const QString title = entry.value(calendarNameKey, row.key).toString();
        const int exact = indexOf(title, entry.value(calendarTypeKey).toString());
        row.choice = exact >= 0 ? exact : std::max(0, indexOf(title, storeType()));
    }
}

QString ICalSyncManager::storeType() const
{
    return m_settings->storeKind() == CalendarSyncSettings::StoreKind::CalDav ? CalDavStore::storeType
                                                                              : CalendarFileStore::storeType;
}

QString ICalSyncManager::displayName(const CalendarInfo& calendar)
{
    if (calendar.title == QLatin1String("Semestra - Non School Days"))
        return QStringLiteral("Semestra - Non School Days %1").arg(calendar.type);
    return QStringLiteral("%1 - %2").arg(calendar.title, calendar.type);
}

void ICalSyncManager::setStoreCalendars(const QList<CalendarInfo>& calendars)
{
    QList<QString> chosen;
    for (const Row& row : std::as_const(m_rows))
        chosen.append(m_possible.value(row.choice).title);
    m_storeCalendars = calendars;
    rebuildPossibleCalendars();
    for (qsizetype index = 0; index < m_rows.size(); ++index)
        m_rows[index].choice = std::max(0, indexOf(chosen[index], storeType()));
}

void ICalSyncManager::setStoreKind(CalendarSyncSettings::StoreKind kind)
{
    m_settings->setStoreKind(kind);
    setStoreCalendars({});
}

void ICalSyncManager::rebuildPossibleCalendars()
{
    m_possible.clear();
    const auto add = [this](const CalendarInfo& calendar) {
        if (!m_possible.contains(calendar))
            m_possible.append(calendar);
    };
    for (const CalendarInfo& calendar : std::as_const(m_storeCalendars))
        add(calendar);
    const QString type = storeType();
    for (const Course* course : m_year.courses())
        add({ course->courseName(), type });
    add({ QStringLiteral("Semestra"), type });
    add({ QStringLiteral("Semestra - Non School Days"), type });
}

int ICalSyncManager::indexOf(const QString& title, const QString& type) const
{
    for (qsizetype index = 0; index < m_possible.size(); ++index) {
        if (m_possible[index].title == title && m_possible[index].type == type)
            return int(index);
    }
    return -1;
}

void ICalSyncManager::chooseCalendar(int row, int calendarIndex)
{
    if (row >= 0 && row < m_rows.size() && calendarIndex >= 0 && calendarIndex < m_possible.size())
        m_rows[row].choice = calendarIndex;
}

void ICalSyncManager::close()
{
    QVariantMap& table = m_year.calendarSyncDict();
    for (const Row& row : std::as_const(m_rows)) {
        const CalendarInfo calendar = m_possible.value(row.choice);
        QVariantMap entry = table.value(row.key).toMap();
        entry.insert(calendarNameKey, calendar.title);
        entry.insert(calendarTypeKey, calendar.type);
        entry.insert(QStringLiteral("courseName"), row.key);
        table.insert(row.key, entry);
    }
    m_settings->store();
}
