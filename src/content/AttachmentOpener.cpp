#include "content/AttachmentOpener.h"

#include "content/Workspace.h"
#include "foundation/alerts/AlertPresenter.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"

AttachmentOpener::AttachmentOpener(AlertPresenter& alerts, Workspace& workspace)
    : m_alerts(alerts)
    , m_workspace(workspace)
{
}

bool AttachmentOpener::open(const Attachment& attachment)
{
    if (const auto* link = dynamic_cast<const AttachedWebLink*>(&attachment))
        return m_workspace.open(QUrl(link->url()));
    const auto* file = dynamic_cast<const AttachedFile*>(&attachment);
    if (!file)
        return false;
    if (!file->fileExists()) {
        m_alerts.inform(QStringLiteral("Could not locate file"),
            QStringLiteral("Semestra could not locate the file referenced by this attachment."));
        return false;
    }
    const QString path = file->actualPath();
    if (!m_workspace.hasApplicationFor(path) || !m_workspace.open(QUrl::fromLocalFile(path))) {
        m_alerts.runModal(Alert { QStringLiteral("No Suitable Program Found For File"),
            QStringLiteral("Semestra could not determine which program to use to open %1.  Please ensure the file has "
                           "a valid extension and reattach")
                .arg(file->displayFileName()),
            QStringLiteral("OK"), {}, {} });
        return false;
    }
    return true;
}
