#include "gui/window/DocumentWindow.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    QApplication::setOrganizationName(QStringLiteral("Semestra"));
    QApplication::setApplicationName(QStringLiteral("Semestra"));

    const QStringList args = QApplication::arguments().mid(1);
    auto* window = new DocumentWindow(args.isEmpty() ? QString() : args.first());
    window->show();
    return QApplication::exec();
}
