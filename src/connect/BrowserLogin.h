#pragma once

#include <QObject>
#include <QTimer>
#include <QUrl>

#include <chrono>

class SyncConnection;

// Logs the planner in through the teacher's own browser: the service hands
// out a login address and a separate poll token; the teacher logs in and
// allows the planner on that page while the planner asks, every few
// seconds, whether it has been allowed. The session then sits in the
// connection, ready to be kept in the keyring.
class BrowserLogin : public QObject {
    Q_OBJECT
public:
    explicit BrowserLogin(SyncConnection& connection, QObject* parent = nullptr);

    // `label` names this computer on the service's settings page.
    void start(const QString& label);
    void cancel();
    void setPollInterval(std::chrono::milliseconds interval) { m_timer.setInterval(interval); }
    bool isWaiting() const { return m_timer.isActive() || !m_pollToken.isEmpty(); }

signals:
    // The page the teacher logs in on: open it in the browser.
    void openBrowser(const QUrl& url);
    void loggedIn();
    void failed(const QString& reason);

private:
    void started(int status, const QByteArray& body);
    void poll();
    void fail(const QString& reason);

    SyncConnection& m_connection;
    QTimer m_timer;
    QByteArray m_pollToken;
};
