#pragma once

#include "calsync/CalendarStore.h"
#include "net/HttpClient.h"

#include <QHash>
#include <QUrl>

struct DavResource;

// The calendars of an account on a CalDAV server (Nextcloud, Radicale,
// Fastmail, iCloud, …). Opening finds the account's calendar home and its
// calendars (PROPFIND); missing calendars are made with MKCALENDAR; events
// are read with calendar-query REPORTs and written with PUT and DELETE, each
// made conditional on the version (ETag) read before, so that an event
// someone changed meanwhile is never overwritten unseen.
class CalDavStore : public CalendarStore {
public:
    static const QString storeType;
    // Where the keyring keeps an account's password.
    static const QString passwordService;
    static QString passwordAccount(const QUrl& address, const QString& user);

    CalDavStore(QUrl address, QString user, QString password, HttpClient client = HttpClient());

    QString type() const override { return storeType; }
    QString location() const override { return m_address.toString(QUrl::RemoveUserInfo); }
    Outcome open() override;
    Outcome close() override { return std::nullopt; }
    QList<CalendarInfo> calendars() const override;
    Outcome createCalendar(const QString& title) override;
    Result<QList<StoredEvent>> events(const QString& calendar) override;
    Result<std::optional<StoredEvent>> findEvent(const QString& uid) override;
    Outcome saveEvent(const QString& calendar, const CalendarEvent& event, const QString& owner,
        const StoredEvent* previous) override;
    Outcome deleteEvent(const StoredEvent& event) override;

    // Whether the password may travel to the address: only encrypted, or to
    // this computer.
    static bool isSafeAddress(const QUrl& address);

private:
    HttpResponse send(QByteArray method, const QUrl& url, const QByteArray& body = {},
        QList<QPair<QByteArray, QByteArray>> headers = {}) const;
    Result<QList<DavResource>> propfind(const QUrl& url, int depth, const QByteArray& body) const;
    Outcome findCalendarHome();
    Outcome listCalendars();
    Result<QList<StoredEvent>> query(const QString& calendar, const QByteArray& filter) const;
    Outcome failureOf(const HttpResponse& response, const QString& what) const;
    QByteArray objectFor(const CalendarEvent& event, const QString& owner, const StoredEvent* previous) const;

    QUrl m_address;
    QString m_user;
    QString m_password;
    HttpClient m_client;
    QUrl m_home;
    // Collection address by calendar title.
    QHash<QString, QUrl> m_calendars;
};
