#pragma once

#include "calsync/CalendarStore.h"
#include "calsync/ICalComponents.h"

#include <QHash>
#include <QLockFile>
#include <QSet>

#include <map>
#include <memory>

// Calendars kept as iCalendar files in one folder, one file per calendar,
// titled by X-WR-CALNAME. Calendar programs subscribe to the files; the
// planner reads them whole when it opens the store, holds a lock file in the
// folder until it closes, and writes each changed file under a temporary name
// that is then renamed over the old one. File names are made safe from the
// titles; "calendars.plist" maps each title to its file.
class CalendarFileStore : public CalendarStore {
public:
    static const QString storeType;
    static const QString indexFileName;

    explicit CalendarFileStore(QString folder);
    ~CalendarFileStore() override;

    // The folder of the current user's calendar files.
    static QString defaultFolder();

    QString type() const override { return storeType; }
    QString location() const override { return m_folder; }
    Outcome open() override;
    Outcome close() override;
    QList<CalendarInfo> calendars() const override;
    Outcome createCalendar(const QString& title) override;
    Result<QList<StoredEvent>> events(const QString& calendar) override;
    Result<std::optional<StoredEvent>> findEvent(const QString& uid) override;
    Outcome saveEvent(const QString& calendar, const CalendarEvent& event, const QString& owner,
        const StoredEvent* previous) override;
    Outcome deleteEvent(const StoredEvent& event) override;

    // A file name for the title that no calendar of the folder uses yet.
    QString fileNameForTitle(const QString& title) const;

private:
    struct Calendar {
        QString title;
        QString fileName;
        ComponentPointer component;
        bool changed = false;
        // The zones the file has a VTIMEZONE for.
        QSet<QString> zones;
    };
    struct Located {
        Calendar* calendar = nullptr;
        icalcomponent* vevent = nullptr;
    };

    Outcome readIndex();
    Outcome readCalendar(const QString& title, const QString& fileName);
    Outcome writeCalendar(const Calendar& calendar) const;
    Located locate(const QString& uid);
    void forget();

    QString m_folder;
    std::unique_ptr<QLockFile> m_lock;
    std::map<QString, Calendar> m_calendars;
    // Where each UID's event is; the events themselves stay in the files'
    // components.
    QHash<QString, Located> m_events;
};
