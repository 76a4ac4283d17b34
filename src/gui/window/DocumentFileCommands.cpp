#include "gui/window/DocumentFileCommands.h"

#include "exchange/windows/WindowsExportController.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/prefs/Preferences.h"
#include "gui/publish/PublishActions.h"
#include "gui/window/DocumentController.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "model/Year.h"

#include <QAction>
#include <QCloseEvent>
#include <QDir>
#include <QFileInfo>
#include <QMenu>
#include <QStatusBar>

namespace {

// Long enough to be read, short enough not to be taken for news.
constexpr int savedMessageTime = 3000;

} // namespace

DocumentFileCommands::DocumentFileCommands(DocumentWindow& window, DocumentController& documents)
    : QObject(&window)
    , m_window(window)
    , m_documents(documents)
    , m_menu(new QMenu(QStringLiteral("&File"), &window))
{
    m_new = addCommand(
        QStringLiteral("&New"), Qt::CTRL | Qt::Key_N, Scope::Application, [this] { m_documents.newDocument(); });
    m_open = addCommand(QStringLiteral("&Open…"), Qt::CTRL | Qt::Key_O, Scope::Application, [this] { open(); });
    m_menu->addSeparator();
    m_close = addCommand(QStringLiteral("&Close"), Qt::CTRL | Qt::Key_W, Scope::Document, [this] { m_window.close(); });
    m_save = addCommand(QStringLiteral("&Save"), Qt::CTRL | Qt::Key_S, Scope::Document, [this] { save(); });
    m_saveAs = addCommand(
        QStringLiteral("Save &As…"), Qt::CTRL | Qt::SHIFT | Qt::Key_S, Scope::Document, [this] { saveAs(); });
    m_menu->addSeparator();
    m_importWindows = addCommand(
        QStringLiteral("Import Windows File…"), {}, Scope::Application, [this] { m_documents.importWindowsFile(); });
    m_exportWindows = addCommand(
        QStringLiteral("Export to Semestra for Windows…"), {}, Scope::Document, [this] { exportForWindows(); });
    m_menu->addSeparator();
    m_window.publishActions().addToMenu(m_menu);
    m_menu->addSeparator();
    m_quit
        = addCommand(QStringLiteral("&Quit"), Qt::CTRL | Qt::Key_Q, Scope::Application, [this] { m_documents.quit(); });
    connect(&m_window, &DocumentWindow::quitRequested, &m_documents, &DocumentController::quit);
    m_window.installEventFilter(this);
}

QAction* DocumentFileCommands::addCommand(
    const QString& text, QKeyCombination shortcut, Scope scope, std::function<void()> command)
{
    QAction* action = m_menu->addAction(text);
    action->setShortcut(shortcut);
    connect(action, &QAction::triggered, this, std::move(command));
    // The same keys on every desktop, rather than each desktop's standard
    // keys (some have none for Save As). Also on the window, so that they
    // work whichever menu bar shows the menu.
    if (scope == Scope::Application)
        m_window.addApplicationCommand(action);
    else
        m_window.addAction(action);
    return action;
}

QString DocumentFileCommands::documentName() const
{
    return DocumentWindow::titleForPath(m_window.document().filePath());
}

QString DocumentFileCommands::notSavedTitle() const
{
    return QStringLiteral("The document “%1” could not be saved.").arg(documentName());
}

// A read-only document is kept, like an untitled one, only in a file chosen anew.
bool DocumentFileCommands::savesInPlace() const
{
    return !m_window.document().filePath().isEmpty() && !m_window.document().isReadOnly();
}

QString DocumentFileCommands::startFolder() const
{
    QString file = m_window.document().filePath();
    if (file.isEmpty())
        file = Preferences::shared().stringValue(QStringLiteral("lastFileURLLeopard"));
    const QFileInfo info(file);
    return !file.isEmpty() && info.absoluteDir().exists() ? info.absolutePath() : QDir::homePath();
}

void DocumentFileCommands::open()
{
    const std::optional<QString> path
        = m_window.files().chooseFileToOpen({ QStringLiteral("Open"), startFolder(), { Document::fileExtension } });
    if (path)
        m_documents.openDocument(*path);
}

void DocumentFileCommands::exportForWindows()
{
    using Outcome = WindowsExportController::Outcome;
    const Outcome outcome
        = WindowsExportController(m_window.document(), m_window.alerts(), m_window.files()).exportForWindows();
    if (outcome != Outcome::Close && outcome != Outcome::Reopen)
        return;
    // The plan opens again once its window is gone, so that the closing
    // window is not taken for the one showing the file.
    if (outcome == Outcome::Reopen) {
        connect(&m_window, &QObject::destroyed, &m_documents,
            [documents = &m_documents, path = m_window.document().filePath()] { documents->openDocument(path); });
    }
    m_window.close();
}

bool DocumentFileCommands::save()
{
    if (!savesInPlace())
        return saveAs();
    const Status saved = saveTo(m_window.document().filePath());
    if (!saved)
        m_window.alerts().inform(notSavedTitle(), saved.error());
    return saved.ok();
}

bool DocumentFileCommands::saveAs()
{
    const QString current = m_window.document().filePath();
    const QString proposedName = current.isEmpty() ? documentName() + QLatin1Char('.') + Document::fileExtension
                                                   : QFileInfo(current).fileName();
    std::optional<QString> path = m_window.files().chooseSaveLocation(
        { QStringLiteral("Save As"), {}, {}, {}, startFolder(), proposedName, { Document::fileExtension }, true });
    if (!path)
        return false;
    const QString suffix = QLatin1Char('.') + Document::fileExtension;
    if (!path->endsWith(suffix, Qt::CaseInsensitive))
        path->append(suffix);
    const Status saved = saveTo(*path);
    if (!saved)
        m_window.alerts().inform(
            QStringLiteral("The document could not be saved as “%1”.").arg(QFileInfo(*path).fileName()), saved.error());
    return saved.ok();
}

Status DocumentFileCommands::saveTo(const QString& path)
{
    const Status saved = m_window.document().saveAs(path);
    if (saved) {
        m_window.updateTitle();
        m_window.statusBar()->showMessage(QStringLiteral("Saved “%1”.").arg(documentName()), savedMessageTime);
    }
    return saved;
}

bool DocumentFileCommands::prepareToClose()
{
    Document& document = m_window.document();
    if (!document.getCurrentYear() || !document.context().hasChanges())
        return true;
    if (savesInPlace()) {
        const Status saved = saveTo(document.filePath());
        if (saved)
            return true;
        // Closing anyway loses the changes, so that is never the default.
        return m_window.alerts().runModal(
                   { notSavedTitle(), saved.error(), QStringLiteral("Cancel"), QStringLiteral("Close Anyway"), {} })
            == AlertAlternateReturn;
    }
    const int answer = m_window.alerts().runModal(
        { QStringLiteral("Do you want to save the changes made to the document “%1”?").arg(documentName()),
            QStringLiteral("Your changes will be lost if you don't save them."), QStringLiteral("Save"),
            QStringLiteral("Cancel"), QStringLiteral("Don't Save") });
    if (answer == AlertDefaultReturn)
        return saveAs();
    return answer == AlertOtherReturn;
}

bool DocumentFileCommands::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == &m_window && event->type() == QEvent::Close && !prepareToClose()) {
        event->ignore();
        return true;
    }
    return QObject::eventFilter(watched, event);
}
