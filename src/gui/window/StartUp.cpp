#include "gui/window/StartUp.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/prefs/Preferences.h"
#include "gui/window/DocumentController.h"

#include <QFileInfo>

StartUp::StartUp(DocumentController& documents, AlertPresenter& alerts)
    : m_documents(documents)
    , m_alerts(alerts)
{ }

bool StartUp::applicationDidFinishLaunching(const QStringList& files)
{
    for (const QString& path : files)
        openFile(path);
    if (!m_openingFromFileClick)
        reopenLastFile();
    return !m_documents.windows().isEmpty();
}

void StartUp::openFile(const QString& path)
{
    m_openingFromFileClick = true;
    m_documents.openDocument(path);
}

void StartUp::reopenLastFile()
{
    const QString lastFile = Preferences::shared().stringValue(QStringLiteral("lastFileURLLeopard"));
    if (!lastFile.isEmpty()) {
        if (QFileInfo::exists(lastFile)) {
            // A last file that no longer opens has been reported; the
            // teacher still gets a window to work in.
            if (m_documents.openDocument(lastFile))
                return;
        } else {
            m_alerts.runModal({ QStringLiteral("Semestra could not find the last file that you used."),
                QStringLiteral("Please create a new file, or open an existing one, from the File menu"),
                QStringLiteral("OK"), {}, {} });
        }
    }
    m_documents.newDocument();
}
