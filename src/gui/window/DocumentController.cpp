#include "gui/window/DocumentController.h"

#include "gui/schedule/NewYearSheet.h"
#include "gui/window/DocumentFileCommands.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"

#include <QApplication>
#include <QFileInfo>
#include <QMenuBar>
#include <QPointer>

#include <algorithm>

namespace {

// Long enough that autosaving is no burden, short enough that little is lost.
constexpr int autosaveInterval = 60 * 1000;

QString canonicalPath(const QString& path)
{
    return QFileInfo(path).canonicalFilePath();
}

} // namespace

DocumentController::DocumentController(WindowFactory makeWindow, QObject* parent)
    : QObject(parent)
    , m_makeWindow(makeWindow ? std::move(makeWindow) : [] { return new DocumentWindow; })
{
    m_autosaveTimer.setInterval(autosaveInterval);
    connect(&m_autosaveTimer, &QTimer::timeout, this, &DocumentController::autosaveDocuments);
    m_autosaveTimer.start();
}

DocumentController::~DocumentController()
{
    // Windows that outlive the controller must not call back into it.
    for (DocumentWindow* window : std::as_const(m_windows))
        disconnect(window, nullptr, this, nullptr);
}

DocumentController& DocumentController::shared()
{
    static QPointer<DocumentController> instance;
    if (!instance)
        instance = new DocumentController({}, qApp);
    return *instance;
}

DocumentWindow* DocumentController::addWindow()
{
    DocumentWindow* window = m_makeWindow();
    m_windows.append(window);
    connect(window, &QObject::destroyed, this, [this, window] { m_windows.removeOne(window); });
    auto* commands = new DocumentFileCommands(*window, *this);
    QMenuBar* bar = window->menuBar();
    bar->insertMenu(bar->actions().value(0), commands->fileMenu());
    return window;
}

DocumentWindow* DocumentController::newDocument()
{
    DocumentWindow* window = addWindow();
    window->show();
    window->offerNewYearSheet();
    return window;
}

DocumentWindow* DocumentController::openDocument(const QString& path)
{
    if (DocumentWindow* open = windowForFile(path)) {
        raise(open);
        return open;
    }
    DocumentWindow* window = addWindow();
    // Declining an upgrade opens nothing, though the read itself succeeded.
    if (!window->openFile(path) || window->document().filePath().isEmpty()) {
        delete window;
        return nullptr;
    }
    window->show();
    return window;
}

bool DocumentController::raiseFrontWindow()
{
    if (m_windows.isEmpty())
        return false;
    const auto active = std::find(m_windows.cbegin(), m_windows.cend(), QApplication::activeWindow());
    raise(active != m_windows.cend() ? *active : m_windows.last());
    return true;
}

void DocumentController::raise(DocumentWindow* window)
{
    if (window->isMinimized())
        window->showNormal();
    window->raise();
    window->activateWindow();
}

DocumentWindow* DocumentController::importWindowsFile()
{
    DocumentWindow* window = addWindow();
    window->document().setOpeningProgrammatically(true);
    window->show();
    if (!window->importWindowsFile()) {
        delete window;
        return nullptr;
    }
    return window;
}

DocumentWindow* DocumentController::windowForFile(const QString& path) const
{
    const QString wanted = canonicalPath(path);
    if (wanted.isEmpty())
        return nullptr;
    for (DocumentWindow* window : m_windows) {
        const QString filePath = window->document().filePath();
        if (!filePath.isEmpty() && canonicalPath(filePath) == wanted)
            return window;
    }
    return nullptr;
}

void DocumentController::quit()
{
    // Hidden rather than closed: closing the wizard would ask whether to
    // throw away the courses entered so far, and a hidden window is passed
    // over when the windows close.
    for (DocumentWindow* window : std::as_const(m_windows)) {
        for (NewYearSheet* sheet : window->findChildren<NewYearSheet*>())
            sheet->hide();
    }
    QApplication::closeAllWindows();
    const bool windowKept
        = std::any_of(m_windows.cbegin(), m_windows.cend(), [](const QWidget* window) { return window->isVisible(); });
    if (!windowKept)
        QCoreApplication::quit();
}

void DocumentController::autosaveDocuments()
{
    for (DocumentWindow* window : std::as_const(m_windows)) {
        Document& document = window->document();
        if (!document.filePath().isEmpty() && document.context().hasChanges())
            document.autosave();
    }
}
