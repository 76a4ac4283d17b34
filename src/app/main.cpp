#include "gui/window/DocumentWindow.h"

#include <QApplication>
#include <QStringList>
#include <QTimer>

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
    // A moment after the window appears, so that the sheet slides over a
    // window the teacher has already seen.
    QTimer::singleShot(150, window, &DocumentWindow::showNewYearSheet);
    return QApplication::exec();
}
