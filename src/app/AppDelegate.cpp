#include "app/AppDelegate.h"

#include "gui/window/DocumentController.h"

AppDelegate::AppDelegate()
    : m_startUp(DocumentController::shared(), m_alerts)
{ }

bool AppDelegate::applicationDidFinishLaunching(const QStringList& files)
{
    return m_startUp.applicationDidFinishLaunching(files);
}
