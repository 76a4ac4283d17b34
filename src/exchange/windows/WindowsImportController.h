#pragma once

#include <QString>

class AlertPresenter;
class Document;
class FileChooser;

// Opens an exchange file of the Windows edition into a new, empty document:
// from the new-year wizard or from the File menu. The window closes the
// document when nothing was imported, so a refused file leaves no empty
// plan behind.
class WindowsImportController {
public:
    enum class Outcome {
        // No file chosen, or the file was refused (with an alert saying why).
        NothingImported,
        // The document holds the imported year (saved, unless the teacher
        // cancelled choosing where).
        Imported,
    };

    static const QString refusedTitle;

    WindowsImportController(Document& document, AlertPresenter& alerts, FileChooser& files);

    // Asks for the file, then imports it.
    Outcome openSemestraForWindows();
    Outcome openSemestraForWindowsFileAtPath(const QString& path);

private:
    void saveImportedDocument(const QString& importedPath);

    Document& m_document;
    AlertPresenter& m_alerts;
    FileChooser& m_files;
};
