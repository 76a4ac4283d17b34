#pragma once

#include "foundation/core/Result.h"

#include <QObject>

#include <functional>

class DocumentController;
class DocumentWindow;
class QAction;
class QMenu;

// The File menu of one document window: New, Open…, Close, Save, Save As…
// and Quit (also the wizard's), and what happens when the window closes with
// unsaved changes. Lives as long as its window.
class DocumentFileCommands : public QObject {
    Q_OBJECT
public:
    DocumentFileCommands(DocumentWindow& window, DocumentController& documents);

    // The commands in a "File" menu, for the window's menu bar.
    QMenu* fileMenu() const { return m_menu; }

    QAction* newAction() const { return m_new; }
    QAction* openAction() const { return m_open; }
    QAction* closeAction() const { return m_close; }
    QAction* saveAction() const { return m_save; }
    QAction* saveAsAction() const { return m_saveAs; }
    QAction* quitAction() const { return m_quit; }
    QAction* importWindowsAction() const { return m_importWindows; }
    QAction* exportWindowsAction() const { return m_exportWindows; }

    // True when the document was saved; a failure has been reported. A
    // read-only document asks for a new file, as Save As does.
    bool save();
    // Asks for a new file ("semestra" added when the name lacks it) and
    // saves there. False when cancelled or failed; the document keeps its
    // file then.
    bool saveAs();
    void open();
    // Exports the plan for the Windows edition; the window closes after the
    // export and, when it worked, the plan opens again from its file.
    void exportForWindows();

    // Whether the window may close now. A document with a file is saved in
    // place; an untitled or read-only one with a year asks first; a document
    // still waiting for its year has nothing to keep.
    bool prepareToClose();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    // Commands of the application keep working while the new-year wizard
    // covers the window; those of the document wait for its year.
    enum class Scope { Document, Application };
    QAction* addCommand(const QString& text, QKeyCombination shortcut, Scope scope, std::function<void()> command);
    Status saveTo(const QString& path);
    bool savesInPlace() const;
    // The title the window shows for the document, quoted in questions.
    QString documentName() const;
    QString notSavedTitle() const;
    // The folder a file panel starts in: the document's, else that of the
    // file last saved, else home.
    QString startFolder() const;

    DocumentWindow& m_window;
    DocumentController& m_documents;
    QMenu* m_menu = nullptr;
    QAction* m_new = nullptr;
    QAction* m_open = nullptr;
    QAction* m_close = nullptr;
    QAction* m_save = nullptr;
    QAction* m_saveAs = nullptr;
    QAction* m_quit = nullptr;
    QAction* m_importWindows = nullptr;
    QAction* m_exportWindows = nullptr;
};
