#pragma once

#include <QList>
#include <QObject>
#include <QTimer>

#include <functional>

class DocumentWindow;

// Keeps the open documents: makes their windows, finds the window of a file
// already open, saves changed documents in place now and then, and quits.
// The application has one (shared()); tests make their own with a window
// factory that asks through scripted presenters.
class DocumentController : public QObject {
    Q_OBJECT
public:
    using WindowFactory = std::function<DocumentWindow*()>;

    explicit DocumentController(WindowFactory makeWindow = {}, QObject* parent = nullptr);
    ~DocumentController() override;

    // The application's controller, made on first use and owned by the
    // application object.
    static DocumentController& shared();

    // Shows a new, untitled window; its new-year wizard follows a moment
    // later unless the document is being filled by the program by then.
    DocumentWindow* newDocument();
    // Raises the window of the file when it is open already. Otherwise opens
    // it in a new window; a file that cannot be opened is reported by that
    // window, which then goes away, and nothing is returned.
    DocumentWindow* openDocument(const QString& path);
    // A new window for a plan of the Windows edition, or none when no file
    // was imported.
    DocumentWindow* importWindowsFile();
    QList<DocumentWindow*> windows() const { return m_windows; }
    // Brings the window the teacher is working in (else the one opened
    // last) to the front; false when no window is open.
    bool raiseFrontWindow();
    DocumentWindow* windowForFile(const QString& path) const;

    // Puts away every new-year wizard without asking, closes the windows
    // (each may still ask about unsaved changes, and a Cancel there stops the
    // quit) and ends the application.
    void quit();
    // Saves in place every document that has a file and unsaved changes.
    void autosaveDocuments();

private:
    DocumentWindow* addWindow();
    static void raise(DocumentWindow* window);

    WindowFactory m_makeWindow;
    QList<DocumentWindow*> m_windows;
    QTimer m_autosaveTimer;
};
