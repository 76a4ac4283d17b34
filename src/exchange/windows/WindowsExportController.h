#pragma once

class AlertPresenter;
class Document;
class FileChooser;

// The "Export to Semestra for Windows" command of a document: asks, cleans
// the plan up, saves it, asks where to export, writes the exchange file and
// tells how it went. The window acts on the outcome.
class WindowsExportController {
public:
    enum class Outcome {
        // Nothing happened beyond what was saved.
        Cancelled,
        // The plan could not be saved to its file, so the export stopped
        // with the document still open and its changes kept in memory.
        NotSaved,
        // The export failed after the save: the document is to be closed.
        Close,
        // The file was written: the document is to be closed and opened
        // again from its own file.
        Reopen,
    };

    WindowsExportController(Document& document, AlertPresenter& alerts, FileChooser& files);

    Outcome exportForWindows();

private:
    bool confirm();
    bool saveDocument();

    Document& m_document;
    AlertPresenter& m_alerts;
    FileChooser& m_files;
};
