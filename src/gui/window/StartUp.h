#pragma once

#include <QStringList>

class AlertPresenter;
class DocumentController;

// What the planner opens when it starts: the files it was asked to open, or
// else the file used last, or else a new document with its wizard. Windows
// are never restored on Linux, so the last file is always the way back.
class StartUp {
public:
    StartUp(DocumentController& documents, AlertPresenter& alerts);

    // Opens the files, or with none what the teacher worked on last. False
    // when no window is open afterwards (every file given failed to open).
    bool applicationDidFinishLaunching(const QStringList& files);
    // A file chosen on the desktop.
    void openFile(const QString& path);

    bool isOpeningFromFileClick() const { return m_openingFromFileClick; }

private:
    void reopenLastFile();

    DocumentController& m_documents;
    AlertPresenter& m_alerts;
    bool m_openingFromFileClick = false;
};
