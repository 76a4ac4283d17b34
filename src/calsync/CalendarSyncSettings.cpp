#include "calsync/CalendarSyncSettings.h"

#include "model/Year.h"

const QString CalendarSyncSettings::settingsKey = QStringLiteral("Sync Settings");

namespace {

const QString storeKey = QStringLiteral("calendarStore");
const QString calDavValue = QStringLiteral("CalDAV");

// The notes switches in the order of the lesson fields they govern.
const QList<std::pair<QString, QString>>& fieldSwitches()
{
    static const QList<std::pair<QString, QString>> pairs {
        { QStringLiteral("syncTeacherInformation"), QStringLiteral("lessonBody") },
        { QStringLiteral("syncHomework"), QStringLiteral("homework") },
        { QStringLiteral("syncPublicComment"), QStringLiteral("publicComment") },
        { QStringLiteral("syncCustom1"), QStringLiteral("custom1") },
        { QStringLiteral("syncCustom2"), QStringLiteral("custom2") },
        { QStringLiteral("syncCustom3"), QStringLiteral("custom3") },
    };
    return pairs;
}

} // namespace

const QStringList& CalendarSyncSettings::switchKeys()
{
    static const QStringList keys = [] {
        QStringList all { QStringLiteral("syncLessons"), QStringLiteral("syncHolidays"),
            QStringLiteral("syncDailyNotes") };
        for (const auto& pair : fieldSwitches())
            all.append(pair.first);
        return all;
    }();
    return keys;
}

CalendarSyncSettings::CalendarSyncSettings(Year& year)
    : m_year(year)
{
    if (year.calendarSyncDict().isEmpty())
        year.generateCalendarSyncDict();
    m_values = year.calendarSyncDict().value(settingsKey).toMap();
}

bool CalendarSyncSettings::isOn(const QString& switchKey) const
{
    return m_values.value(switchKey, true).toBool();
}

void CalendarSyncSettings::setOn(const QString& switchKey, bool on)
{
    m_values.insert(switchKey, on);
}

QStringList CalendarSyncSettings::syncedFieldKeys() const
{
    QStringList keys;
    for (const auto& [switchKey, fieldKey] : fieldSwitches()) {
        if (isOn(switchKey))
            keys.append(fieldKey);
    }
    return keys;
}

CalendarSyncSettings::StoreKind CalendarSyncSettings::storeKind() const
{
    return m_values.value(storeKey).toString() == calDavValue ? StoreKind::CalDav : StoreKind::Files;
}

void CalendarSyncSettings::setStoreKind(StoreKind kind)
{
    m_values.insert(storeKey, kind == StoreKind::CalDav ? calDavValue : QStringLiteral("Files"));
}

void CalendarSyncSettings::store()
{
    m_year.calendarSyncDict().insert(settingsKey, m_values);
    m_year.storeCalendarSyncDict();
}
