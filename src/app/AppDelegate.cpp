#include "app/AppDelegate.h"

#include "gui/window/DocumentController.h"

#include <QTimer>

namespace {

const QString raised = QStringLiteral("raised");
const QString opening = QStringLiteral("opening");

} // namespace

AppDelegate::AppDelegate()
    : m_documents(DocumentController::shared())
    , m_startUp(m_documents, m_alerts)
    , m_instance([this](const QString& path) { return takeHandedFile(path); }, [this] { return raiseFrontWindow(); })
{ }

bool AppDelegate::applicationDidFinishLaunching(const QStringList& files)
{
    // Listening first: a launch right behind this one finds it while its
    // files are still being read. Without the socket the planner still works.
    m_instance.listen();
    return m_startUp.applicationDidFinishLaunching(files);
}

// The answer goes back at once; opening may ask the teacher something, and
// the waiting launch need not wait for that.
QString AppDelegate::takeHandedFile(const QString& path)
{
    const bool shown = m_documents.windowForFile(path) != nullptr;
    QTimer::singleShot(0, [this, path] { m_startUp.openFile(path); });
    return shown ? raised : opening;
}

QString AppDelegate::raiseFrontWindow()
{
    if (m_documents.raiseFrontWindow())
        return raised;
    QTimer::singleShot(0, [this] { m_startUp.applicationDidFinishLaunching({}); });
    return opening;
}
