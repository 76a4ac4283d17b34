#include "gui/window/CourseExchangeActions.h"

#include "exchange/ImportCourseController.h"
#include "foundation/alerts/FileChooser.h"
#include "gui/exchange/ExportCourseSheet.h"
#include "gui/exchange/ImportCourseSheet.h"
#include "gui/window/DocumentWindow.h"
#include "model/Document.h"
#include "model/Year.h"

#include <QAction>
#include <QMenu>

CourseExchangeActions::CourseExchangeActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
    , m_exportCourse(new QAction(QStringLiteral("Export Course…"), this))
    , m_importCourse(new QAction(QStringLiteral("Import Course…"), this))
{
    connect(m_exportCourse, &QAction::triggered, this, &CourseExchangeActions::exportCoursePressed);
    connect(m_importCourse, &QAction::triggered, this, &CourseExchangeActions::importCoursePressed);
    updateStates();
}

void CourseExchangeActions::addToMenu(QMenu* menu)
{
    menu->addSeparator();
    menu->addActions({ m_exportCourse, m_importCourse });
    connect(menu, &QMenu::aboutToShow, this, &CourseExchangeActions::updateStates);
}

void CourseExchangeActions::updateStates()
{
    const Year* year = m_window.document().getCurrentYear();
    const bool free = year && !m_sheet;
    m_exportCourse->setEnabled(free && !year->myCourses().isEmpty());
    m_importCourse->setEnabled(free);
}

void CourseExchangeActions::exportCoursePressed()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year)
        return;
    if (!m_exportSheet)
        m_exportSheet = new ExportCourseSheet(*year, m_window.alerts(), m_window.files(), &m_window);
    else
        m_exportSheet->windowDidLoad();
    show(m_exportSheet);
}

void CourseExchangeActions::importCoursePressed()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year)
        return;
    const std::optional<QString> path = m_window.files().chooseFileToOpen(ImportCourseController::openPanelRequest());
    if (!path)
        return;
    auto* sheet = new ImportCourseSheet(*year, m_window.alerts(), *path, &m_window);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    show(sheet);
}

void CourseExchangeActions::show(QDialog* sheet)
{
    m_sheet = sheet;
    connect(sheet, &QDialog::finished, this, &CourseExchangeActions::sheetEnded, Qt::UniqueConnection);
    updateStates();
    sheet->open();
}

void CourseExchangeActions::sheetEnded()
{
    m_sheet = nullptr;
    updateStates();
}
