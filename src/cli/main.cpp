#include "cli/Cli.h"
#include "foundation/prefs/Preferences.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Semestra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SEMESTRA_VERSION));
    // Scripts keep their own preferences, so that saving from the command
    // line never changes which document the desktop planner reopens.
    Preferences preferences(std::make_unique<QSettings>(
        QSettings::IniFormat, QSettings::UserScope, QStringLiteral("Semestra"), QStringLiteral("semestra-cli")));
    preferences.registerShippedDefaults();
    Preferences::setShared(&preferences);

    QTextStream out(stdout);
    QTextStream errors(stderr);
    return Cli(out, errors).run(QCoreApplication::arguments().mid(1));
}
