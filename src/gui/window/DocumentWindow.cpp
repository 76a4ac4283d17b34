#include "gui/window/DocumentWindow.h"

#include "gui/schedule/NewYearSheet.h"
#include "model/Document.h"

#include <QFileInfo>

DocumentWindow::DocumentWindow(QWidget* parent)
    : DocumentWindow(nullptr, nullptr, parent)
{ }

DocumentWindow::DocumentWindow(AlertPresenter& alerts, FileChooser& files, QWidget* parent)
    : DocumentWindow(&alerts, &files, parent)
{ }

DocumentWindow::DocumentWindow(AlertPresenter* alerts, FileChooser* files, QWidget* parent)
    : QMainWindow(parent)
    , m_messageBoxes(this)
    , m_fileDialogs(this)
    , m_alerts(alerts ? *alerts : m_messageBoxes)
    , m_files(files ? *files : m_fileDialogs)
    , m_document(std::make_unique<Document>(m_alerts, m_files))
{
    setWindowTitle(titleForPath(QString()));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1200, 800);
}

DocumentWindow::~DocumentWindow() = default;

bool DocumentWindow::openFile(const QString& path)
{
    const Status opened = m_document->open(path);
    if (!opened) {
        m_alerts.inform(QStringLiteral("The document could not be opened."), opened.error());
        return false;
    }
    setWindowTitle(titleForPath(m_document->filePath()));
    return true;
}

NewYearSheet* DocumentWindow::showNewYearSheet()
{
    if (m_document->getCurrentYear())
        return nullptr;
    auto* sheet = new NewYearSheet(m_document->context(), m_alerts, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QDialog::rejected, this, &QWidget::close);
    sheet->open();
    return sheet;
}

QString DocumentWindow::titleForPath(const QString& filePath)
{
    if (filePath.isEmpty())
        return QStringLiteral("Untitled");
    return QFileInfo(filePath).fileName();
}
