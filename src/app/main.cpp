#include "app/AppDelegate.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No organisation: the data folder is then ~/.local/share/Semestra.
    QApplication::setApplicationName(QStringLiteral("Semestra"));
    // Ties the windows to the installed launcher entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("semestra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("semestra")));

    // Started before the event loop, so that an alert shown while no window
    // is open yet cannot end the application as its last window closes.
    AppDelegate delegate;
    if (!delegate.applicationDidFinishLaunching(QApplication::arguments().mid(1)))
        return 1;
    return QApplication::exec();
}
