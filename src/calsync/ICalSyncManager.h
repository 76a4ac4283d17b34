#pragma once

#include "calsync/CalendarStore.h"
#include "calsync/CalendarSyncSettings.h"

#include <memory>

class Year;

// The calendar sync sheet's state: which store holds the calendars, which
// calendar each course, the notes and the non-school days go to, and the
// sync switches. Nothing reaches the year until the sheet closes with
// `close()`; a cancelled sheet changes nothing.
class ICalSyncManager {
public:
    struct Row {
        // The table key: a course name, "Notes" or "Non School Days".
        QString key;
        // Index into possibleCalendars().
        int choice = 0;
    };

    explicit ICalSyncManager(Year& year);
    ~ICalSyncManager();

    // Reads the year's table (generating it when the year has none in memory).
    void windowDidLoad();

    CalendarSyncSettings& settings() { return *m_settings; }
    // The calendars the store was last seen to hold.
    void setStoreCalendars(const QList<CalendarInfo>& calendars);
    // The store's calendars, then one per course, then "Semestra" and
    // "Semestra - Non School Days", each of the chosen store's type.
    const QList<CalendarInfo>& possibleCalendars() const { return m_possible; }
    static QString displayName(const CalendarInfo& calendar);
    const QList<Row>& rows() const { return m_rows; }
    void chooseCalendar(int row, int calendarIndex);
    // The type of the store the settings name.
    QString storeType() const;
    // Switching the store offers its calendars instead, keeping each row's
    // calendar title.
    void setStoreKind(CalendarSyncSettings::StoreKind kind);

    // Writes the choices into the table and stores it with the settings.
    void close();

private:
    void rebuildPossibleCalendars();
    int indexOf(const QString& title, const QString& type) const;

    Year& m_year;
    std::unique_ptr<CalendarSyncSettings> m_settings;
    QList<CalendarInfo> m_storeCalendars;
    QList<CalendarInfo> m_possible;
    QList<Row> m_rows;
};
