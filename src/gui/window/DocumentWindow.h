#pragma once

#include "gui/alerts/MessageBoxAlertPresenter.h"
#include "gui/dialogs/FileDialogChooser.h"

#include <QMainWindow>

#include <memory>

class Document;
class NewYearSheet;

// The window of one open document, titled after it. The planning views move
// in as the engine behind them arrives.
class DocumentWindow : public QMainWindow {
    Q_OBJECT
public:
    // A window with a new, untitled document.
    explicit DocumentWindow(QWidget* parent = nullptr);
    // The same, asking the user through the given presenters instead of
    // message boxes and file dialogs (scripted ones in tests). They must
    // outlive the window.
    DocumentWindow(AlertPresenter& alerts, FileChooser& files, QWidget* parent = nullptr);
    ~DocumentWindow() override;

    // Opens the file into this window's document; a file that cannot be
    // opened is reported and the document stays as it was.
    bool openFile(const QString& path);

    // For a document without a year: shows the new-year wizard over this
    // window. Closing the wizard closes the window and its document. None when
    // the document already has its year.
    NewYearSheet* showNewYearSheet();

    Document& document() { return *m_document; }
    AlertPresenter& alerts() { return m_alerts; }
    FileChooser& files() { return m_files; }

    // "Untitled" for a new document, else the file's name without its folder.
    static QString titleForPath(const QString& filePath);

private:
    DocumentWindow(AlertPresenter* alerts, FileChooser* files, QWidget* parent);

    MessageBoxAlertPresenter m_messageBoxes;
    FileDialogChooser m_fileDialogs;
    AlertPresenter& m_alerts;
    FileChooser& m_files;
    std::unique_ptr<Document> m_document;
};
