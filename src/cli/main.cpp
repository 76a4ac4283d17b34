#include "cli/Cli.h"
#include "foundation/prefs/Preferences.h"

#include <QGuiApplication>
#include <QTextStream>

namespace {

QtMessageHandler qtHandler = nullptr;

// Scripts run from cron or a test harness often have no runtime folder. Qt
// notes that on stderr, where a script expects nothing but its errors.
void dropRuntimeFolderNote(QtMsgType type, const QMessageLogContext& context, const QString& message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("QStandardPaths: XDG_RUNTIME_DIR not set")))
        return;
    if (qtHandler)
        qtHandler(type, context, message);
}

} // namespace

int main(int argc, char** argv)
{
    qtHandler = qInstallMessageHandler(dropRuntimeFolderNote);
    QStringList arguments;
    for (int i = 1; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    // Reports lay text out in real fonts, which takes a GUI application, but
    // the command line never depends on the desktop: it always draws off
    // screen, and Qt sees only the program's name, so that no platform
    // plugin takes an option (such as --title) meant for a command.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    int qtArgc = 1;
    char* qtArgv[] = { argv[0], nullptr };
    QGuiApplication app(qtArgc, qtArgv);
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
    return Cli(out, errors).run(arguments);
}
