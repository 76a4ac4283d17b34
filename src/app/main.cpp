#include "app/AppDelegate.h"
#include "app/RunningInstance.h"

#include <QApplication>
#include <QIcon>
#include <QStringList>
#include <QTextStream>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No organisation: the data folder is then ~/.local/share/Semestra.
    QApplication::setApplicationName(QStringLiteral("Semestra"));
    // Ties the windows to the installed launcher entry and its icon.
    QApplication::setDesktopFileName(QStringLiteral("semestra"));
    QApplication::setWindowIcon(QIcon::fromTheme(QStringLiteral("semestra")));

    const QStringList files = QApplication::arguments().mid(1);
    if (const std::optional<QString> note = RunningInstance::handOver(files)) {
        QTextStream(stdout) << *note << Qt::endl;
        return 0;
    }
    // Started before the event loop, so that an alert shown while no window
    // is open yet cannot end the application as its last window closes.
    AppDelegate delegate;
    if (!delegate.applicationDidFinishLaunching(files))
        return 1;
    return QApplication::exec();
}
