#include "gui/window/DocumentWindow.h"

#include "foundation/dates/Clock.h"
#include "gui/dialogs/SelectDateDialog.h"
#include "gui/schedule/NewYearSheet.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/PlanningArea.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QFileInfo>
#include <QMenuBar>
#include <QProgressBar>
#include <QStatusBar>
#include <QToolBar>

DocumentWindow::DocumentWindow(QWidget* parent)
    : QMainWindow(parent)
    , m_alerts(this)
    , m_files(this)
    , m_document(std::make_unique<Document>(m_alerts, m_files))
    , m_planningActions(new PlanningActions(this))
{
    setWindowTitle(titleForPath(QString()));
    setAttribute(Qt::WA_DeleteOnClose);
    resize(1280, 820);
    createMenusAndToolBar();
    createStatusLine();
    connect(m_planningActions, &PlanningActions::gotoTodayRequested, this, &DocumentWindow::gotoToday);
    connect(m_planningActions, &PlanningActions::selectDateRequested, this, &DocumentWindow::selectDate);
}

DocumentWindow::~DocumentWindow() = default;

void DocumentWindow::createMenusAndToolBar()
{
    m_planningActions->addToMenu(menuBar()->addMenu(QStringLiteral("&View")));
    QToolBar* toolBar = addToolBar(QStringLiteral("Planning"));
    toolBar->setObjectName(QStringLiteral("planningToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_planningActions->addToToolBar(toolBar);
}

void DocumentWindow::createStatusLine()
{
    m_progress = new QProgressBar(this);
    m_progress->setMaximumWidth(220);
    m_progress->setVisible(false);
    statusBar()->addPermanentWidget(m_progress);
}

bool DocumentWindow::openFile(const QString& path)
{
    const Status opened = m_document->open(path);
    if (!opened) {
        m_alerts.inform(QStringLiteral("The document could not be opened."), opened.error());
        return false;
    }
    setWindowTitle(titleForPath(m_document->filePath()));
    setupWindow();
    return true;
}

NewYearSheet* DocumentWindow::showNewYearSheet()
{
    if (m_document->getCurrentYear() || m_document->isOpeningProgrammatically())
        return nullptr;
    auto* sheet = new NewYearSheet(m_document->context(), m_alerts, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QDialog::rejected, this, &QWidget::close);
    connect(sheet, &QDialog::accepted, this, &DocumentWindow::setupWindow);
    sheet->open();
    return sheet;
}

NewYearSheet* DocumentWindow::newYearSheet() const
{
    return findChild<NewYearSheet*>(QString(), Qt::FindDirectChildrenOnly);
}

void DocumentWindow::setupWindow()
{
    Year* year = m_document->getCurrentYear();
    if (!year || m_planningArea)
        return;
    m_document->setUpForWindow();
    m_planningArea = new PlanningArea(*year, this);
    setCentralWidget(m_planningArea);
    m_planningActions->bind(m_planningArea);
    observeDocument();
    m_planningArea->start();
}

void DocumentWindow::observeDocument()
{
    const void* scope = &m_document->context();
    m_observers.observe(PlanningNotifications::gotoDate, scope, [this](const Notification& note) {
        if (Day* day = note.objectAs<Day>())
            gotoDay(day);
    });
    m_observers.observe(PlanningNotifications::courseDoubleClicked, scope, [](const Notification& note) {
        if (const Course* course = note.objectAs<Course>())
            NotificationCenter::defaultCenter().post(
                PlanningNotifications::lessonDoubleClicked, course->getLessonClosestToToday());
    });
}

void DocumentWindow::gotoDay(Day* day)
{
    NotificationCenter::defaultCenter().post(PlanningNotifications::calendarDaySelected, day);
}

void DocumentWindow::gotoToday()
{
    if (Day* today = m_document->getCurrentYear()->getDayWithDate(Clock::now()))
        NotificationCenter::defaultCenter().post(PlanningNotifications::gotoDate, today);
}

void DocumentWindow::selectDate()
{
    auto* sheet = new SelectDateDialog(*m_document->getCurrentYear(), this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->open();
}

QString DocumentWindow::titleForPath(const QString& filePath)
{
    if (filePath.isEmpty())
        return QStringLiteral("Untitled");
    return QFileInfo(filePath).fileName();
}
