#include "exchange/windows/WindowsExportController.h"

#include "exchange/windows/WindowsExport.h"
#include "exchange/windows/WindowsFileWriter.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "model/Document.h"
#include "model/Year.h"

#include <QDir>

namespace {

const QString notSavedTitle = QStringLiteral("Could Not Save Document");

} // namespace

WindowsExportController::WindowsExportController(Document& document, AlertPresenter& alerts, FileChooser& files)
    : m_document(document)
    , m_alerts(alerts)
    , m_files(files)
{ }

WindowsExportController::Outcome WindowsExportController::exportForWindows()
{
    Year* year = m_document.getCurrentYear();
    if (!year || !confirm())
        return Outcome::Cancelled;
    // The document is closed and reopened from its file afterwards: without
    // a successful save to that file the teacher's latest work would be lost.
    if (m_document.filePath().isEmpty()) {
        m_alerts.inform(notSavedTitle,
            QStringLiteral("This plan has not been saved to a file yet. Save it, then export it again."));
        return Outcome::NotSaved;
    }
    WindowsExport::prepareForExport(*year);
    if (!saveDocument())
        return Outcome::NotSaved;

    const std::optional<QString> path = m_files.chooseSaveLocation({ QStringLiteral("Export to Semestra for Windows"),
        {}, QStringLiteral("Export To:"), QStringLiteral("Export"), QDir::home().filePath(QStringLiteral("Documents")),
        WindowsExport::proposedFileName(m_document), { WindowsExport::fileExtension }, true });
    if (!path)
        return Outcome::Cancelled;

    const WindowsFileWriter::Outcome written = WindowsFileWriter::write(m_document.context(), *path);
    switch (written.failure) {
    case WindowsFileWriter::Failure::Generate:
        m_alerts.runModal({ QStringLiteral("Could Not Generate Windows File"),
            QStringLiteral("Semestra could not create the Windows file (%1). Please send your Semestra data file to "
                           "support@semestra.app so that we can find out why. This file will now be safely closed; "
                           "you can reopen it from the File menu.")
                .arg(written.error),
            QStringLiteral("Ok"), {}, {} });
        return Outcome::Close;
    case WindowsFileWriter::Failure::Move:
        m_alerts.runModal({ QStringLiteral("Error Exporting File"),
            QStringLiteral("There was an error exporting your file: %1.  This file will now be safely closed.  You can "
                           "reopen it using the File-->Open Recent menu item.")
                .arg(written.error),
            QStringLiteral("Ok"), {}, {} });
        return Outcome::Close;
    case WindowsFileWriter::Failure::None:
        break;
    }
    m_alerts.runModal({ QStringLiteral("Export Successful"), QStringLiteral("This file will now be closed and re-opened"),
        QStringLiteral("Ok"), {}, {} });
    return Outcome::Reopen;
}

bool WindowsExportController::confirm()
{
    return m_alerts.runModal({ QStringLiteral("Export to Semestra for Windows"),
               QStringLiteral("Exporting to the Semestra for Windows file format will require Semestra to close and "
                              "reopen this document upon completing the export.  All changes will be safely saved "
                              "before exporting."),
               QStringLiteral("Export and Reopen"), QStringLiteral("Cancel"), {} })
        == AlertDefaultReturn;
}

bool WindowsExportController::saveDocument()
{
    const Status saved = m_document.save();
    if (!saved)
        m_alerts.inform(notSavedTitle,
            QStringLiteral("The plan could not be saved, so it was not exported: %1").arg(saved.error()));
    return saved.ok();
}
