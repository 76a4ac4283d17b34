#include "gui/window/DocumentWindow.h"

#include <QApplication>
#include <QStringList>

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    // No organisation: the data folder is then ~/.local/share/Semestra.
    QApplication::setApplicationName(QStringLiteral("Semestra"));

    const QStringList args = QApplication::arguments().mid(1);
    auto* window = new DocumentWindow;
    window->show();
    if (!args.isEmpty())
        window->openFile(args.first());
    return QApplication::exec();
}
