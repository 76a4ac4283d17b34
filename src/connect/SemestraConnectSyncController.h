#pragma once

#include "connect/SyncKind.h"
#include "connect/SyncOutcome.h"
#include "connect/UploadProgress.h"
#include "net/HttpClient.h"

// moc cannot read the C++20 headers the date types bring in.
#ifndef Q_MOC_RUN
#include "foundation/dates/Date.h"
#endif

#include <QObject>
#include <QStringList>
#include <QTimer>

#include <chrono>
#include <optional>

class AlertPresenter;
class Document;
class SyncConnection;
class SyncedRecord;
class Year;

// Pushes a document's year to SemestraConnect: the pending deletes, the
// year, then each kind of record in turn, one request in flight at a time,
// each reply starting the next request from the event loop.
//
// A record counts as sent only when the service answered 2xx with an
// identifier; only a 404 means "not on the service". Anything else is a
// hiccup: the request is tried again a few times with growing pauses and
// then the sync stops, keeping every identifier received so far and the
// previous reference time, so the next sync of changes picks up the rest.
class SemestraConnectSyncController : public QObject {
    Q_OBJECT
public:
    enum class Scope { Changes, Everything };
    enum class Reminder { Show, Skip };

    static const QString mismatchTitle;
    static const QString stoppedTitle;
    static const QString filesFailedTitle;
    static const QString reminderTitle;
    static const QString purgeTitle;
    static const QString purgedTitle;

    SemestraConnectSyncController(
        Document& document, SyncConnection& connection, AlertPresenter& alerts, Scope scope, QObject* parent = nullptr);
    ~SemestraConnectSyncController() override;

    // Asks the service who is logged in and, when the account matches the
    // file, starts sending. finished() follows in every case.
    void login();
    void cancel();
    bool isRunning() const { return m_outcome.state == SyncOutcome::State::Running && m_started; }
    const SyncOutcome& outcome() const { return m_outcome; }

    void setReminder(Reminder reminder) { m_reminder = reminder; }
    // Tries of one request before the sync stops, and the first pause
    // between them (doubled each time).
    void setRetries(int attempts, std::chrono::milliseconds firstPause);

    // Forgets every identifier the service gave, and the reference time,
    // so that the next sync sends the whole year as new. The asking form
    // answers whether it purged.
    static bool purgeSyncIDS(Year& year, AlertPresenter& alerts, const QString& webAddress);
    static void purgeSyncIDSWithoutAsking(Year& year);
    // The start of the last completed sync, if any.
    static std::optional<Date> referenceTime(const Year& year);

signals:
    void statusChanged(const QString& text);
    // Every 0.1 s while a file uploads: its name, kilobytes and speed.
    void uploadProgressed(const QString& text);
    // One line per request: method, path and the service's status.
    void requestSent(const QString& line);
    void finished();

private:
    using Handler = std::function<void(const HttpResponse&)>;
    void request(const QByteArray& method, const QString& path, Handler handler, QByteArray body = {},
        QList<QPair<QByteArray, QByteArray>> headers = {}, std::shared_ptr<HttpTransfer> transfer = {});
    std::shared_ptr<HttpTransfer> watchUpload(const QString& name, qint64 totalBytes);
    void loggedIn(const HttpResponse& response);
    void sendYear();
    void dealWithDeletes();
    void deleteNext();
    void checkYear();
    void putYear();
    void createYear();
    void yearSent(const QString& id);
    void startKind(int index);
    void afterKind();
    void sendCurrent();
    void fetchFormToken();
    void sendRecord(bool exists, std::optional<qint64> storedSize = {});
    void sendFile(bool exists, std::optional<qint64> storedSize);
    void recordSent(const HttpResponse& response);
    void advance();
    void retry(const QString& reason, const std::function<void()>& again);
    void finishChain();
    void updateSyncTime();
    void stop(SyncOutcome::State state, const QString& reason = {});
    void saveIdentifiers();
    void status(const QString& text);
    QString resourcePath(const QString& resource, const SyncedRecord& record) const;
    bool isChanged(const SyncedRecord& record) const;

    Document& m_document;
    Year& m_year;
    SyncConnection& m_connection;
    AlertPresenter& m_alerts;
    Scope m_scope;
    Reminder m_reminder = Reminder::Show;
    SyncOutcome m_outcome;
    bool m_started = false;
    bool m_lostYear = false;
    Date m_syncStart;
    std::optional<Date> m_reference;
    int m_maxAttempts = 4;
    std::chrono::milliseconds m_firstPause { 500 };
    int m_attempt = 0;

    QStringList m_deletes;
    QStringList m_deletesLeft;
    QList<SyncKind> m_kinds;
    int m_kind = -1;
    QList<SyncedRecord*> m_queue;
    int m_current = 0;
    QByteArray m_formToken;

    QTimer m_uploadClock;
    std::optional<UploadProgress> m_upload;
    std::shared_ptr<HttpTransfer> m_uploadTransfer;
};
