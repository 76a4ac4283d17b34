#include "cli/Cli.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("Semestra"));
    QCoreApplication::setApplicationVersion(QStringLiteral(SEMESTRA_VERSION));
    QTextStream out(stdout);
    QTextStream errors(stderr);
    return Cli(out, errors).run(QCoreApplication::arguments().mid(1));
}
