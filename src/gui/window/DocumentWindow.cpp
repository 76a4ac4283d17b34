#include "gui/window/DocumentWindow.h"

#include <QFileInfo>

DocumentWindow::DocumentWindow(const QString& filePath, QWidget* parent)
    : QMainWindow(parent)
    , m_filePath(filePath)
{
    setWindowTitle(titleForPath(filePath));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1200, 800);
}

QString DocumentWindow::titleForPath(const QString& filePath)
{
    if (filePath.isEmpty())
        return QStringLiteral("Untitled");
    return QFileInfo(filePath).fileName();
}
