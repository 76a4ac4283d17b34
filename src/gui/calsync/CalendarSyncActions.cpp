#include "gui/calsync/CalendarSyncActions.h"

#include "calsync/CalDavStore.h"
#include "calsync/CalendarFileStore.h"
#include "calsync/CalendarSyncSettings.h"
#include "gui/calsync/ICalSyncManagerWindow.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "model/Year.h"
#include "net/KeychainPasswordStore.h"

#include <QAction>
#include <QInputDialog>
#include <QMenu>
#include <QProgressBar>
#include <QStatusBar>
#include <QThread>

struct CalendarSyncActions::Run {
    CalendarSyncPlan plan;
    std::unique_ptr<CalendarStore> store;
    CalendarSyncResult result;
};

CalendarSyncActions::CalendarSyncActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
    , m_keychain(std::make_unique<KeychainPasswordStore>())
    , m_passwords(m_keychain.get())
    , m_openWindow(new QAction(QStringLiteral("Calendar Sync…"), this))
    , m_syncAll(new QAction(QStringLiteral("Sync All to Calendar"), this))
    , m_syncChanges(new QAction(QStringLiteral("Sync Changes to Calendar"), this))
{
    m_prompt = [this](const QString& why) -> std::optional<QString> {
        bool ok = false;
        const QString password = QInputDialog::getText(&m_window, QStringLiteral("Calendar Server Password"),
            why + QStringLiteral("\n\nPassword:"), QLineEdit::Password, QString(), &ok);
        return ok ? std::optional(password) : std::nullopt;
    };
    connect(m_openWindow, &QAction::triggered, this, &CalendarSyncActions::openiCalSyncWindow);
    connect(m_syncAll, &QAction::triggered, this, &CalendarSyncActions::syncAllToiCal);
    connect(m_syncChanges, &QAction::triggered, this, &CalendarSyncActions::syncChangesToiCal);
    // The window gets its year after the menus are made: the menu brings
    // the states up to date each time it opens.
}

// A run still going when the window closes is waited for: its store is
// half written otherwise.
CalendarSyncActions::~CalendarSyncActions()
{
    if (m_thread)
        m_thread->wait();
}

void CalendarSyncActions::addToMenu(QMenu* menu)
{
    menu->addActions({ m_openWindow, m_syncAll, m_syncChanges });
    connect(menu, &QMenu::aboutToShow, this, &CalendarSyncActions::updateStates);
}

void CalendarSyncActions::updateStates()
{
    const bool free = m_window.document().getCurrentYear() && !m_thread && !m_sheet;
    for (QAction* action : { m_openWindow, m_syncAll, m_syncChanges })
        action->setEnabled(free);
}

ICalSyncManagerWindow* CalendarSyncActions::syncWindow() const
{
    return m_sheet;
}

void CalendarSyncActions::openiCalSyncWindow()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year || m_thread)
        return;
    m_sheet = new ICalSyncManagerWindow(*year, *m_passwords, m_window.alerts(), &m_window);
    m_sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(m_sheet, &QDialog::finished, this, [this] {
        m_sheet = nullptr;
        updateStates();
    });
    updateStates();
    m_sheet->open();
}

void CalendarSyncActions::syncAllToiCal()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year || m_thread)
        return;
    if (!m_controller)
        m_controller = std::make_unique<ICalSyncController>(*year, m_window.alerts());
    m_controller->syncAllToiCal();
    startSync();
}

void CalendarSyncActions::syncChangesToiCal()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year || m_thread)
        return;
    if (!m_controller)
        m_controller = std::make_unique<ICalSyncController>(*year, m_window.alerts());
    m_controller->syncChangesToiCal();
    startSync();
}

std::unique_ptr<CalendarStore> CalendarSyncActions::makeStore()
{
    const CalendarSyncSettings settings(m_controller->year());
    if (settings.storeKind() == CalendarSyncSettings::StoreKind::Files)
        return std::make_unique<CalendarFileStore>(CalendarFileStore::defaultFolder());
    const QUrl address(settings.serverAddress());
    const PasswordStore::Lookup lookup = m_passwords->readPassword(
        CalDavStore::passwordService, CalDavStore::passwordAccount(address, settings.userName()));
    std::optional<QString> password = lookup.password;
    if (lookup.state != PasswordStore::Lookup::State::Found) {
        const QString why = lookup.state == PasswordStore::Lookup::State::NotStored
            ? QStringLiteral("No password for %1 is kept in the keyring.").arg(settings.userName())
            : lookup.reason;
        password = m_prompt(why);
    }
    if (!password)
        return {};
    return std::make_unique<CalDavStore>(address, settings.userName(), *password);
}

void CalendarSyncActions::startSync()
{
    std::unique_ptr<CalendarStore> store = makeStore();
    if (!store)
        return;
    m_run = std::make_unique<Run>();
    m_run->plan = m_controller->makePlan();
    m_run->store = std::move(store);
    m_window.statusBar()->showMessage(QStringLiteral("Syncing with the calendar…"));
    m_window.progressIndicator()->setRange(0, 0);
    m_window.progressIndicator()->setVisible(true);
    Run* run = m_run.get();
    m_thread = QThread::create([this, run] {
        run->result = CalendarSyncRun(run->plan, *run->store).run([this](qsizetype done, qsizetype total) {
            QMetaObject::invokeMethod(
                this, [this, done, total] { showProgress(done, total); }, Qt::QueuedConnection);
        });
    });
    connect(m_thread, &QThread::finished, this, &CalendarSyncActions::runFinished);
    updateStates();
    m_thread->start();
}

void CalendarSyncActions::showProgress(qsizetype done, qsizetype total)
{
    if (!m_thread)
        return;
    m_window.progressIndicator()->setRange(0, int(total));
    m_window.progressIndicator()->setValue(int(done));
}

void CalendarSyncActions::runFinished()
{
    m_thread->deleteLater();
    m_thread = nullptr;
    m_window.progressIndicator()->setVisible(false);
    const CalendarSyncCounts counts = m_controller->finishSync(m_run->plan, m_run->result);
    m_run.reset();
    m_window.statusBar()->showMessage(QStringLiteral("Calendar sync: %1 written, %2 updated, %3 deleted, %4 failed.")
                                          .arg(counts.written)
                                          .arg(counts.updated)
                                          .arg(counts.deleted)
                                          .arg(counts.failed),
        10000);
    updateStates();
    emit syncFinished(counts);
}
