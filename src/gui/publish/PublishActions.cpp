#include "gui/publish/PublishActions.h"

#include "gui/publish/PublishOptionsSheet.h"
#include "gui/publish/PublishSheet.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "model/Year.h"
#include "net/KeychainPasswordStore.h"
#include "publish/PublishController.h"
#include "publish/PublishJob.h"
#include "publish/PublishOptionsController.h"
#include "publish/SiteUploadController.h"
#include "publish/UploadJob.h"

#include <QAction>
#include <QDialog>
#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMenu>
#include <QPlainTextEdit>
#include <QProgressBar>
#include <QPushButton>
#include <QStatusBar>
#include <QTimer>
#include <QVBoxLayout>

namespace {

constexpr int doneMessageMs = 6000;
// The status line stays a moment after the last file.
constexpr int uploadDoneMessageMs = 3000;

} // namespace

PublishActions::PublishActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
    , m_publishOptions(new QAction(QStringLiteral("Publish Options…"), this))
    , m_publish(new QAction(QStringLiteral("Publish…"), this))
    , m_keychain(std::make_unique<KeychainPasswordStore>())
    , m_passwords(m_keychain.get())
{
    m_prompt = [this](const QString& why) -> std::optional<QString> {
        bool ok = false;
        const QString password = QInputDialog::getText(&m_window, QStringLiteral("Server Password"),
            why + QStringLiteral("\n\nPassword:"), QLineEdit::Password, QString(), &ok);
        return ok ? std::optional(password) : std::nullopt;
    };
    m_showLog = [this](const QStringList& log) { showLog(log); };
    connect(m_publishOptions, &QAction::triggered, this, &PublishActions::publishOptionsPressed);
    connect(m_publish, &QAction::triggered, this, &PublishActions::publishPressed);
    updateStates();
}

// The upload job goes first: it stops its transfers and waits for them.
PublishActions::~PublishActions()
{
    m_upload.reset();
}

void PublishActions::setPasswordStore(PasswordStore& passwords)
{
    m_passwords = &passwords;
}

void PublishActions::addToMenu(QMenu* menu)
{
    menu->addActions({ m_publishOptions, m_publish });
    connect(menu, &QMenu::aboutToShow, this, &PublishActions::updateStates);
}

void PublishActions::updateStates()
{
    const bool hasYear = m_window.document().getCurrentYear() != nullptr;
    m_publishOptions->setEnabled(hasYear);
    m_publish->setEnabled(hasYear && !m_job && !m_upload);
}

bool PublishActions::ensureControllers()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year)
        return false;
    if (!m_controller) {
        m_controller = std::make_unique<PublishController>(*year, m_window.alerts(), m_window.files());
        m_optionsController = std::make_unique<PublishOptionsController>(*year);
        m_uploads = std::make_unique<SiteUploadController>(*m_controller, *m_passwords, m_window.alerts());
    }
    return true;
}

void PublishActions::publishOptionsPressed()
{
    if (!ensureControllers())
        return;
    if (!m_optionsSheet)
        m_optionsSheet = new PublishOptionsSheet(*m_optionsController, m_window.alerts(), m_workspace, &m_window);
    else
        m_optionsSheet->windowDidLoad();
    m_optionsSheet->open();
}

void PublishActions::publishPressed()
{
    if (!ensureControllers() || m_job || m_upload)
        return;
    if (!m_publishSheet) {
        m_publishSheet = new PublishSheet(*m_controller, *m_uploads, &m_window);
        connect(m_publishSheet, &PublishSheet::publishRequested, this, &PublishActions::startPublish);
    } else {
        m_publishSheet->windowDidLoad();
    }
    m_publishSheet->open();
}

void PublishActions::startPublish(const QString& typedPassword)
{
    if (!ensureControllers() || m_job || m_upload)
        return;
    if (!m_publishSheet || !m_publishSheet->uploadChosen()) {
        startGenerating(m_controller->publishPath());
        return;
    }
    const std::optional<TransferAddress> address = m_uploads->checkedAddress();
    const std::optional<QString> password
        = address ? uploadPassword(*address, typedPassword) : std::optional<QString>();
    if (!password)
        return;
    const QString root = m_uploads->prepareWorkingFolder();
    if (root.isEmpty())
        return;
    m_uploadAddress = address;
    m_uploadPassword = *password;
    startGenerating(root);
}

// The typed one, else the keyring's; the teacher is asked, and told why,
// when there is neither. An SFTP account may sign in with a key alone.
std::optional<QString> PublishActions::uploadPassword(const TransferAddress& address, const QString& typed)
{
    if (!typed.isEmpty())
        return typed;
    const QString user = m_uploads->server().user;
    const PasswordStore::Lookup lookup = m_uploads->password(address, user);
    if (lookup.state == PasswordStore::Lookup::State::Found || address.scheme() == TransferAddress::Scheme::Sftp)
        return lookup.password;
    const QString why = lookup.state == PasswordStore::Lookup::State::NotStored
        ? QStringLiteral("No password for %1 on %2 is kept in the keyring.").arg(user, address.host())
        : lookup.reason + QStringLiteral(" The password will be asked for at each upload.");
    return m_prompt(why);
}

void PublishActions::startGenerating(const QString& root)
{
    m_job = m_controller->makeJob(root);
    connect(m_job.get(), &PublishJob::progressed, this, &PublishActions::jobProgressed);
    connect(m_job.get(), &PublishJob::finished, this, &PublishActions::jobFinished);
    QProgressBar* progress = m_window.progressIndicator();
    progress->setRange(0, 0);
    progress->setVisible(true);
    m_window.statusBar()->showMessage(QStringLiteral("Publishing the web site…"));
    m_job->start();
    updateStates();
}

void PublishActions::jobProgressed(int coursesDone, int courseCount)
{
    QProgressBar* progress = m_window.progressIndicator();
    progress->setRange(0, courseCount);
    progress->setValue(coursesDone);
    m_window.statusBar()->showMessage(
        QStringLiteral("Publishing the web site: %1 of %2 courses").arg(coursesDone).arg(courseCount));
}

void PublishActions::jobFinished()
{
    // The job is still in its own signal: let it go once that returns.
    PublishJob* job = m_job.release();
    job->deleteLater();
    const PublishOutcome outcome = job->outcome();
    m_window.statusBar()->clearMessage();
    if (m_uploadAddress) {
        if (m_uploads->siteGenerated(outcome)) {
            startUpload();
            return;
        }
        m_uploadAddress.reset();
        m_uploadPassword.clear();
    } else {
        m_controller->publishFinished(outcome);
    }
    m_window.progressIndicator()->setVisible(false);
    if (outcome.published()) {
        m_window.statusBar()->showMessage(QStringLiteral("Web site published: %1 files written, %2 unchanged")
                                              .arg(outcome.filesWritten)
                                              .arg(outcome.filesUnchanged),
            doneMessageMs);
    }
    updateStates();
    emit publishEnded();
}

void PublishActions::startUpload()
{
    m_upload = std::make_unique<UploadJob>(
        m_uploads->makeSession(*m_uploadAddress, m_uploadPassword), SiteUploadController::workingFolder());
    m_uploadAddress.reset();
    m_uploadPassword.clear();
    connect(m_upload.get(), &UploadJob::connecting, this, [this](const QString& host, int port) {
        m_window.statusBar()->showMessage(QStringLiteral("Connecting to Host: %1:%2").arg(host).arg(port));
    });
    connect(m_upload.get(), &UploadJob::progressed, this, &PublishActions::uploadProgressed);
    connect(m_upload.get(), &UploadJob::hostKeyUnknown, this, &PublishActions::askHostKey);
    connect(m_upload.get(), &UploadJob::finished, this, &PublishActions::uploadFinished);
    if (!m_cancel) {
        m_cancel = new QPushButton(QStringLiteral("Cancel"), &m_window);
        m_cancel->setObjectName(QStringLiteral("cancelUpload"));
        connect(m_cancel, &QPushButton::clicked, this, &PublishActions::cancelUpload);
        m_window.statusBar()->addPermanentWidget(m_cancel);
    }
    m_cancel->setEnabled(true);
    m_cancel->show();
    m_window.progressIndicator()->setRange(0, 0);
    m_upload->start();
    updateStates();
}

void PublishActions::cancelUpload()
{
    if (!m_upload)
        return;
    m_upload->cancel();
    m_cancel->setEnabled(false);
    m_window.statusBar()->showMessage(QStringLiteral("Cancelling the upload…"));
}

void PublishActions::uploadProgressed(int filesLeft, int total)
{
    QProgressBar* progress = m_window.progressIndicator();
    progress->setRange(0, total);
    progress->setValue(total - filesLeft);
    m_window.statusBar()->showMessage(QStringLiteral("%1 files left to send").arg(filesLeft));
}

void PublishActions::askHostKey(const HostKey& key)
{
    const int answer = m_window.alerts().runModal({ QStringLiteral("Unknown Server Key"),
        QStringLiteral("This is the first connection to %1:%2. Its %3 key has the fingerprint\n%4\n\nTrust it only "
                       "when your school's web administrator confirms this fingerprint. It is then remembered in "
                       "~/.ssh/known_hosts.")
            .arg(key.host)
            .arg(key.port)
            .arg(key.type, key.fingerprint),
        QStringLiteral("Trust"), QStringLiteral("Cancel"), {} });
    if (m_upload)
        m_upload->answerHostKey(answer == AlertDefaultReturn);
}

void PublishActions::uploadFinished()
{
    UploadJob* job = m_upload.release();
    job->deleteLater();
    const UploadOutcome outcome = job->outcome();
    m_cancel->hide();
    m_window.progressIndicator()->setVisible(false);
    m_window.statusBar()->clearMessage();
    if (m_uploads->uploadFinished(outcome) == SiteUploadController::Next::ShowLog)
        m_showLog(outcome.log);
    if (outcome.succeeded()) {
        m_window.statusBar()->showMessage(
            QStringLiteral("Web site uploaded: %1 files sent").arg(outcome.filesSent), uploadDoneMessageMs);
    }
    updateStates();
    emit publishEnded();
}

void PublishActions::showLog(const QStringList& log)
{
    auto* dialog = new QDialog(&m_window);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setWindowTitle(QStringLiteral("Upload Log"));
    auto* text = new QPlainTextEdit(log.join(QLatin1Char('\n')), dialog);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, dialog);
    connect(buttons, &QDialogButtonBox::rejected, dialog, &QDialog::close);
    auto* layout = new QVBoxLayout(dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog->resize(720, 420);
    dialog->open();
}
