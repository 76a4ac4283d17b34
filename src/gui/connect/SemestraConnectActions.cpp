#include "gui/connect/SemestraConnectActions.h"

#include "connect/BrowserLogin.h"
#include "connect/ConnectSession.h"
#include "connect/HostReachability.h"
#include "connect/SyncConnection.h"
#include "foundation/prefs/Preferences.h"
#include "gui/connect/FeedbackWindow.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "net/KeychainPasswordStore.h"

#include <QDesktopServices>
#include <QInputDialog>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QStatusBar>
#include <QSysInfo>

const QString SemestraConnectActions::addressKey = QStringLiteral("SemestraConnectAddress");

const QString SemestraConnectActions::unreachableFeedbackTitle = QStringLiteral("Feedback Host Not Reachable");

SemestraConnectActions::SemestraConnectActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
    , m_keychain(std::make_unique<KeychainPasswordStore>())
    , m_passwords(m_keychain.get())
    , m_openBrowser([](const QUrl& url) { QDesktopServices::openUrl(url); })
{
    m_cancel = new QPushButton(QStringLiteral("Cancel"), &window);
    m_cancel->setVisible(false);
    connect(m_cancel, &QPushButton::clicked, this, &SemestraConnectActions::cancel);
    window.statusBar()->addPermanentWidget(m_cancel);
}

SemestraConnectActions::~SemestraConnectActions() = default;

void SemestraConnectActions::addToMenuBar(QMenuBar* bar)
{
    m_menu = bar->addMenu(QStringLiteral("&SemestraConnect"));
    m_syncChanges = m_menu->addAction(
        QStringLiteral("Sync Changes to SemestraConnect"), this, &SemestraConnectActions::syncChanges);
    m_syncEverything = m_menu->addAction(
        QStringLiteral("Sync Everything to SemestraConnect"), this, &SemestraConnectActions::syncEverything);
    m_menu->addSeparator();
    m_logOut = m_menu->addAction(QStringLiteral("Log Out of SemestraConnect"), this, &SemestraConnectActions::logOut);
    m_reset = m_menu->addAction(
        QStringLiteral("Reset Sync Information…"), this, &SemestraConnectActions::resetSyncInformation);
    m_menu->addSeparator();
    m_address
        = m_menu->addAction(QStringLiteral("SemestraConnect Address…"), this, &SemestraConnectActions::editAddress);
    updateStates();
}

void SemestraConnectActions::addFeedbackTo(QMenu* help)
{
    m_feedback = help->addAction(QStringLiteral("Send Feedback…"), this, &SemestraConnectActions::showFeedback);
    updateStates();
}

void SemestraConnectActions::setRetries(int attempts, std::chrono::milliseconds firstPause)
{
    m_attempts = attempts;
    m_firstPause = firstPause;
}

bool SemestraConnectActions::isBusy() const
{
    return (m_sync && m_sync->isRunning()) || (m_login && m_login->isWaiting());
}

void SemestraConnectActions::updateStates()
{
    const bool configured = !Preferences::shared().stringValue(addressKey).trimmed().isEmpty();
    const bool idle = !isBusy();
    const bool hasYear = m_window.document().getCurrentYear() != nullptr;
    for (QAction* action : { m_syncChanges, m_syncEverything, m_logOut, m_reset }) {
        if (!action)
            continue;
        action->setVisible(configured);
        action->setEnabled(idle && (hasYear || action == m_logOut));
    }
    if (m_feedback)
        m_feedback->setVisible(configured);
    m_cancel->setVisible(!idle);
}

std::optional<ServiceAddress> SemestraConnectActions::address()
{
    const Result<ServiceAddress> parsed = ServiceAddress::parse(Preferences::shared().stringValue(addressKey));
    if (!parsed) {
        m_window.alerts().inform(QStringLiteral("The SemestraConnect Address Is Not Usable"), parsed.error());
        return std::nullopt;
    }
    return *parsed;
}

void SemestraConnectActions::showStatus(const QString& text)
{
    m_window.statusBar()->showMessage(text);
}

void SemestraConnectActions::startSync(SemestraConnectSyncController::Scope scope)
{
    const auto service = address();
    if (isBusy() || !service || !m_window.document().getCurrentYear())
        return;
    m_scope = scope;
    m_connection = std::make_unique<SyncConnection>(*service);
    if (ConnectSession(*m_connection, *m_passwords).restore())
        runSync();
    else
        logInThroughBrowser();
}

void SemestraConnectActions::runSync()
{
    m_sync = std::make_unique<SemestraConnectSyncController>(
        m_window.document(), *m_connection, m_window.alerts(), m_scope);
    m_sync->setRetries(m_attempts, m_firstPause);
    connect(m_sync.get(), &SemestraConnectSyncController::statusChanged, this, &SemestraConnectActions::showStatus);
    connect(m_sync.get(), &SemestraConnectSyncController::uploadProgressed, this, &SemestraConnectActions::showStatus);
    connect(m_sync.get(), &SemestraConnectSyncController::finished, this, &SemestraConnectActions::syncEnded,
        Qt::QueuedConnection);
    m_sync->login();
    updateStates();
}

void SemestraConnectActions::syncEnded()
{
    const SyncOutcome outcome = m_sync->outcome();
    m_sync.reset();
    m_window.updateTitle();
    if (outcome.state == SyncOutcome::State::NotLoggedIn) {
        // The kept session ended on the service (logged out elsewhere, expired).
        m_passwords->deletePassword(ConnectSession::keyringService, m_connection->address().base());
        m_connection->setSessionCookie({});
        return logInThroughBrowser();
    }
    updateStates();
    emit syncFinished(outcome);
}

void SemestraConnectActions::logInThroughBrowser()
{
    m_login = std::make_unique<BrowserLogin>(*m_connection);
    connect(m_login.get(), &BrowserLogin::openBrowser, this, [this](const QUrl& url) {
        showStatus(QStringLiteral("Log in to SemestraConnect in your browser and allow Semestra to sync"));
        m_openBrowser(url);
    });
    connect(m_login.get(), &BrowserLogin::loggedIn, this, [this] {
        if (const Status kept = ConnectSession(*m_connection, *m_passwords).remember(); !kept)
            m_window.alerts().inform(QStringLiteral("The SemestraConnect Login Could Not Be Kept"),
                kept.error() + QStringLiteral(" You will be asked to log in again next time."));
        m_login.release()->deleteLater();
        runSync();
    });
    connect(m_login.get(), &BrowserLogin::failed, this, [this](const QString& reason) {
        m_login.release()->deleteLater();
        showStatus({});
        m_window.alerts().inform(QStringLiteral("SemestraConnect Login Failed"), reason);
        updateStates();
    });
    m_login->start(QStringLiteral("on %1").arg(QSysInfo::machineHostName()));
    updateStates();
}

void SemestraConnectActions::cancel()
{
    if (m_login) {
        m_login->cancel();
        m_login.reset();
        showStatus(QStringLiteral("SemestraConnect login cancelled"));
    }
    if (m_sync)
        m_sync->cancel();
    updateStates();
}

void SemestraConnectActions::logOut()
{
    const auto service = address();
    if (!service || isBusy())
        return;
    SyncConnection connection(*service);
    const Result<ConnectSession::Ending> ended = ConnectSession(connection, *m_passwords).logOut();
    if (!ended) {
        m_window.alerts().inform(QStringLiteral("Could Not Log Out of SemestraConnect"), ended.error());
        return;
    }
    showStatus(ConnectSession::describe(*ended, service->base()));
}

void SemestraConnectActions::resetSyncInformation()
{
    const auto service = address();
    Year* year = m_window.document().getCurrentYear();
    if (!service || !year || isBusy())
        return;
    if (SemestraConnectSyncController::purgeSyncIDS(*year, m_window.alerts(), service->base()))
        m_window.updateTitle();
}

void SemestraConnectActions::editAddress()
{
    bool ok = false;
    const QString typed = QInputDialog::getText(&m_window, QStringLiteral("SemestraConnect Address"),
        QStringLiteral("The address of your SemestraConnect service (https://…):"), QLineEdit::Normal,
        Preferences::shared().stringValue(addressKey), &ok);
    if (!ok)
        return;
    if (!typed.trimmed().isEmpty()) {
        const Result<ServiceAddress> parsed = ServiceAddress::parse(typed);
        if (!parsed)
            return m_window.alerts().inform(
                QStringLiteral("The SemestraConnect Address Is Not Usable"), parsed.error());
    }
    Preferences::shared().setValue(addressKey, typed.trimmed());
    updateStates();
}

FeedbackWindow* SemestraConnectActions::feedbackWindow() const
{
    return m_feedbackWindow;
}

// The window opens only after a look at the host, so that a teacher
// offline does not write a long report that cannot be sent. The look
// happens on the event loop; a second click meanwhile does nothing.
void SemestraConnectActions::showFeedback()
{
    const auto service = address();
    if (!service || m_feedbackHostCheck)
        return;
    m_feedbackHostCheck = std::make_unique<HostReachability>();
    connect(m_feedbackHostCheck.get(), &HostReachability::checked, this,
        [this, service = *service](const QString& host, bool reachable) {
            m_feedbackHostCheck.release()->deleteLater();
            if (reachable || proceedToUnreachableHost(host))
                openFeedbackWindow(service);
        });
    m_feedbackHostCheck->check(service->host());
}

bool SemestraConnectActions::proceedToUnreachableHost(const QString& host)
{
    return m_window.alerts().runModal({ unreachableFeedbackTitle,
               QStringLiteral("Semestra cannot reach %1, where feedback is sent: this computer may be offline, or "
                              "the name may not be found. You can write your feedback now, but sending it may fail.")
                   .arg(host),
               QStringLiteral("Proceed Anyway"), QStringLiteral("Cancel"), {} })
        == AlertDefaultReturn;
}

void SemestraConnectActions::openFeedbackWindow(const ServiceAddress& service)
{
    if (!m_feedbackWindow) {
        m_feedbackConnection = std::make_unique<SyncConnection>(service);
        m_feedbackWindow = new FeedbackWindow(*m_feedbackConnection, m_window.alerts(), &m_window);
    }
    m_feedbackWindow->show();
    m_feedbackWindow->raise();
}
