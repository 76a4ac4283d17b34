#pragma once

#include "app/RunningInstance.h"
#include "gui/alerts/MessageBoxAlertPresenter.h"
#include "gui/window/StartUp.h"

class DocumentController;

// The application object's side of the planner: starts it with the files it
// was given, or with the last file used, and takes the files of later
// launches.
class AppDelegate {
public:
    AppDelegate();

    // False when there is nothing to show, so the application should end.
    bool applicationDidFinishLaunching(const QStringList& files);

private:
    // A later launch's file: "raised" when a window shows it already,
    // else "opening".
    QString takeHandedFile(const QString& path);
    QString raiseFrontWindow();

    DocumentController& m_documents;
    // Before any window exists, alerts stand on their own.
    MessageBoxAlertPresenter m_alerts { nullptr };
    StartUp m_startUp;
    RunningInstance m_instance;
};
