#pragma once

#include <QStringList>
#include <QVariantMap>

class Year;

// The year's calendar-sync choices: which events are written, which lesson
// fields go into their notes, and which calendar store holds them. They are
// kept in the calendar assignment table under their own key, beside the
// entries of the courses, so that they travel with the document; every
// switch is on until the teacher turns it off.
class CalendarSyncSettings {
public:
    static const QString settingsKey;
    // The switches, by their keys: "syncLessons", "syncHolidays",
    // "syncDailyNotes", then the notes fields "syncTeacherInformation",
    // "syncHomework", "syncPublicComment", "syncCustom1" to "syncCustom3".
    static const QStringList& switchKeys();
    enum class StoreKind { Files, CalDav };

    // Reads the year's table, generating it when the year has none in memory.
    explicit CalendarSyncSettings(Year& year);

    bool isOn(const QString& switchKey) const;
    void setOn(const QString& switchKey, bool on);
    bool syncLessons() const { return isOn(QStringLiteral("syncLessons")); }
    bool syncHolidays() const { return isOn(QStringLiteral("syncHolidays")); }
    bool syncDailyNotes() const { return isOn(QStringLiteral("syncDailyNotes")); }
    // The lesson field keys ("lessonBody", "homework", …) whose switch is on.
    QStringList syncedFieldKeys() const;

    StoreKind storeKind() const;
    void setStoreKind(StoreKind kind);
    QString serverAddress() const { return m_values.value(QStringLiteral("serverAddress")).toString(); }
    void setServerAddress(const QString& address) { m_values.insert(QStringLiteral("serverAddress"), address); }
    QString userName() const { return m_values.value(QStringLiteral("userName")).toString(); }
    void setUserName(const QString& user) { m_values.insert(QStringLiteral("userName"), user); }

    // Set when an event of the last sync could not be written: the next
    // sync, even a changes-only one, then takes every lesson again.
    bool lastSyncFailed() const { return m_values.value(QStringLiteral("lastSyncFailed")).toBool(); }
    void setLastSyncFailed(bool failed) { m_values.insert(QStringLiteral("lastSyncFailed"), failed); }

    // Puts the choices into the year's table and stores it.
    void store();

private:
    Year& m_year;
    QVariantMap m_values;
};
