#include <QCoreApplication>
#include <QStringList>
#include <QTextStream>

// The headless front end. Commands arrive with the engine that serves them.
int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Semestra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SEMESTRA_VERSION));

    const QStringList args = QCoreApplication::arguments().mid(1);
    QTextStream out(stdout);
    if (args.isEmpty() || args.first() == QLatin1String("--help")) {
        out << "usage: semestra-cli COMMAND [ARGS]\n"
               "       semestra-cli --version\n";
        return args.isEmpty() ? 1 : 0;
    }
    if (args.first() == QLatin1String("--version")) {
        out << "semestra-cli " << QCoreApplication::applicationVersion() << '\n';
        return 0;
    }
    QTextStream(stderr) << "semestra-cli: unknown command \"" << args.first() << "\"\n";
    return 2;
}
