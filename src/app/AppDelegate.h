#pragma once

#include "gui/alerts/MessageBoxAlertPresenter.h"
#include "gui/window/StartUp.h"

// The application object's side of the planner: starts it with the files it
// was given, or with the last file used.
class AppDelegate {
public:
    AppDelegate();

    // False when there is nothing to show, so the application should end.
    bool applicationDidFinishLaunching(const QStringList& files);

private:
    // Before any window exists, alerts stand on their own.
    MessageBoxAlertPresenter m_alerts { nullptr };
    StartUp m_startUp;
};
