#pragma once

#include "connect/SemestraConnectSyncController.h"
#include "connect/ServiceAddress.h"

#include <QObject>
#include <QPointer>

#include <functional>
#include <memory>

class BrowserLogin;
class DocumentWindow;
class FeedbackWindow;
class HostReachability;
class KeychainPasswordStore;
class PasswordStore;
class QAction;
class QMenu;
class QMenuBar;
class QPushButton;
class QUrl;
class SyncConnection;

// The SemestraConnect menu and the Help menu's feedback item. A sync runs
// on the window's event loop, its progress in the status line with a Cancel
// button beside it; without a session the teacher logs in through the
// browser first and the session goes to the keyring. Without a service
// address only the address item shows.
class SemestraConnectActions : public QObject {
    Q_OBJECT
public:
    static const QString addressKey;
    static const QString unreachableFeedbackTitle;

    explicit SemestraConnectActions(DocumentWindow& window);
    ~SemestraConnectActions() override;

    void addToMenuBar(QMenuBar* bar);
    void addFeedbackTo(QMenu* help);
    void updateStates();
    // Tests put in their own keyring and browser.
    void setPasswordStore(PasswordStore& passwords) { m_passwords = &passwords; }
    void setBrowser(std::function<void(const QUrl&)> open) { m_openBrowser = std::move(open); }
    void setRetries(int attempts, std::chrono::milliseconds firstPause);

    QMenu* menu() const { return m_menu; }
    QAction* syncChangesAction() const { return m_syncChanges; }
    QAction* syncEverythingAction() const { return m_syncEverything; }
    QAction* logOutAction() const { return m_logOut; }
    QAction* resetAction() const { return m_reset; }
    QAction* feedbackAction() const { return m_feedback; }
    QPushButton* cancelButton() const { return m_cancel; }
    FeedbackWindow* feedbackWindow() const;
    bool isBusy() const;

    void syncChanges() { startSync(SemestraConnectSyncController::Scope::Changes); }
    void syncEverything() { startSync(SemestraConnectSyncController::Scope::Everything); }
    void logOut();
    void resetSyncInformation();
    void editAddress();
    void showFeedback();

signals:
    void syncFinished(const SyncOutcome& outcome);

private:
    std::optional<ServiceAddress> address();
    void startSync(SemestraConnectSyncController::Scope scope);
    void runSync();
    void logInThroughBrowser();
    void syncEnded();
    void cancel();
    void showStatus(const QString& text);
    bool proceedToUnreachableHost(const QString& host);
    void openFeedbackWindow(const ServiceAddress& service);

    DocumentWindow& m_window;
    std::unique_ptr<KeychainPasswordStore> m_keychain;
    PasswordStore* m_passwords;
    std::function<void(const QUrl&)> m_openBrowser;
    std::unique_ptr<SyncConnection> m_connection;
    std::unique_ptr<SemestraConnectSyncController> m_sync;
    std::unique_ptr<BrowserLogin> m_login;
    SemestraConnectSyncController::Scope m_scope = SemestraConnectSyncController::Scope::Changes;
    int m_attempts = 4;
    std::chrono::milliseconds m_firstPause { 500 };
    QMenu* m_menu = nullptr;
    QAction* m_syncChanges = nullptr;
    QAction* m_syncEverything = nullptr;
    QAction* m_logOut = nullptr;
    QAction* m_reset = nullptr;
    QAction* m_address = nullptr;
    QAction* m_feedback = nullptr;
    QPushButton* m_cancel = nullptr;
    std::unique_ptr<HostReachability> m_feedbackHostCheck;
    std::unique_ptr<SyncConnection> m_feedbackConnection;
    QPointer<FeedbackWindow> m_feedbackWindow;
};
