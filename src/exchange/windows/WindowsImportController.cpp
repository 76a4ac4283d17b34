#include "exchange/windows/WindowsImportController.h"

#include "exchange/windows/WindowsExport.h"
#include "exchange/windows/WindowsFileImporter.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "model/Document.h"

#include <QDir>
#include <QFileInfo>

const QString WindowsImportController::refusedTitle = QStringLiteral("Could Not Import Windows File");

WindowsImportController::WindowsImportController(Document& document, AlertPresenter& alerts, FileChooser& files)
    : m_document(document)
    , m_alerts(alerts)
    , m_files(files)
{ }

WindowsImportController::Outcome WindowsImportController::openSemestraForWindows()
{
    const std::optional<QString> path = m_files.chooseFileToOpen(
        { QStringLiteral("Open Semestra for Windows File"), QDir::home().filePath(QStringLiteral("Documents")),
            { WindowsExport::fileExtension } });
    if (!path)
        return Outcome::NothingImported;
    return openSemestraForWindowsFileAtPath(*path);
}

WindowsImportController::Outcome WindowsImportController::openSemestraForWindowsFileAtPath(const QString& path)
{
    m_document.setOpeningProgrammatically(true);
    const Result<WindowsImportSummary> imported = WindowsFileImporter::importFile(path, m_document.context());
    if (!imported) {
        m_alerts.inform(refusedTitle, imported.error());
        return Outcome::NothingImported;
    }
    if (imported->skippedAnything())
        m_alerts.inform(WindowsImportSummary::alertTitle, imported->message());
    m_document.setUpForWindow();
    saveImportedDocument(path);
    return Outcome::Imported;
}

void WindowsImportController::saveImportedDocument(const QString& importedPath)
{
    const QFileInfo imported(importedPath);
    const std::optional<QString> target = m_files.chooseSaveLocation({ QStringLiteral("Save"), {},
        QStringLiteral("Save As:"), QStringLiteral("Save"), imported.absolutePath(),
        imported.completeBaseName() + QLatin1Char('.') + Document::fileExtension, { Document::fileExtension }, true });
    if (!target)
        return;
    if (const Status saved = m_document.saveAs(*target); !saved)
        m_alerts.inform(QStringLiteral("Could Not Save Document"), saved.error());
}
