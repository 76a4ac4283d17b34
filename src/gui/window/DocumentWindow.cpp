#include "gui/window/DocumentWindow.h"

#include "exchange/windows/WindowsImportController.h"
#include "foundation/dates/Clock.h"
#include "gui/calsync/CalendarSyncActions.h"
#include "gui/connect/SemestraConnectActions.h"
#include "gui/dialogs/SelectDateDialog.h"
#include "gui/editing/EditingModeView.h"
#include "gui/navigation/CalendarPicker.h"
#include "gui/navigation/CourseSourceList.h"
#include "gui/panels/SidePanel.h"
#include "gui/publish/PublishActions.h"
#include "gui/report/ReportActions.h"
#include "gui/schedule/NewYearSheet.h"
#include "gui/window/CourseActions.h"
#include "gui/window/CourseExchangeActions.h"
#include "gui/window/DayActions.h"
#include "gui/window/EditActions.h"
#include "gui/window/HelpActions.h"
#include "gui/window/LessonActions.h"
#include "gui/window/LessonBoxCommands.h"
#include "gui/window/PlanningActions.h"
#include "gui/window/PlanningArea.h"
#include "gui/window/ShownSelection.h"
#include "gui/window/StandardsActions.h"
#include "gui/window/WindowShortcutGuard.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QFileInfo>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QProgressBar>
#include <QScreen>
#include <QStackedWidget>
#include <QStatusBar>
#include <QTimer>
#include <QToolBar>
#include <QVBoxLayout>

namespace {

// Leaves the rest of the desktop in sight around a new window.
constexpr double screenShare = 0.85;
// Five school days side by side, the calendar beside them and the side
// panel: below this the week would have to scroll sideways.
constexpr QSize smallestFirstSize(1280, 720);
// The wizard slides over a window the teacher has already seen.
constexpr int wizardDelay = 150;
// How soon the title's mark follows a change. Records change through many
// paths and the store tells nobody, so the window looks now and then.
constexpr int changesWatchInterval = 250;

} // namespace

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
    , m_shown(new ShownSelection(this))
    , m_editActions(new EditActions(*this))
    , m_planningActions(new PlanningActions(*m_shown, this))
    , m_dayActions(new DayActions(m_alerts, *m_shown, this))
    , m_changesWatch(new QTimer(this))
{
    updateTitle();
    setAttribute(Qt::WA_DeleteOnClose);
    resize(firstSize(screen()));
    createMenusAndToolBar();
    createStatusLine();
    new WindowShortcutGuard(*this);
    m_changesWatch->setInterval(changesWatchInterval);
    connect(m_changesWatch, &QTimer::timeout, this, &DocumentWindow::showUnsavedChanges);
    m_changesWatch->start();
    connect(m_planningActions, &PlanningActions::planningModeRequested, this, &DocumentWindow::showPlanningMode);
    connect(m_planningActions, &PlanningActions::gotoTodayRequested, this, &DocumentWindow::gotoToday);
    connect(m_planningActions, &PlanningActions::selectDateRequested, this, &DocumentWindow::selectDate);
    connect(m_shown, &ShownSelection::changed, this, &DocumentWindow::showMode);
}

DocumentWindow::~DocumentWindow()
{
    // The edit actions follow the document's history and the application's
    // focus, which still moves while the window closes: they go before the
    // document does.
    delete m_editActions;
}

void DocumentWindow::createMenusAndToolBar()
{
    menuBar()->addMenu(m_editActions->createMenu(this));
    QMenu* view = menuBar()->addMenu(QStringLiteral("&View"));
    m_planningActions->addToMenu(view);
    view->addSeparator();
    m_editingModeAction = view->addAction(QString(), QKeySequence(Qt::CTRL | Qt::Key_E));
    connect(m_editingModeAction, &QAction::triggered, this, &DocumentWindow::toggleEditingMode);
    updateEditingModeAction();
    menuBar()->addMenu(m_dayActions->createMenu(this));
    m_lessonActions = new LessonActions(m_alerts, m_files, *m_shown, this);
    m_lessonBoxCommands = std::make_unique<LessonBoxCommands>(*this);
    QMenu* lessonMenu = menuBar()->addMenu(QStringLiteral("&Lesson"));
    m_lessonActions->addToMenu(lessonMenu);
    m_courseActions = new CourseActions(*this);
    QMenu* courses = menuBar()->addMenu(QStringLiteral("&Courses"));
    m_courseActions->addToMenu(courses);
    m_courseExchangeActions = new CourseExchangeActions(*this);
    m_courseExchangeActions->addToMenu(courses);
    m_standardsActions = new StandardsActions(*this);
    m_standardsActions->addToMenu(lessonMenu);
    m_reportActions = new ReportActions(*this);
    m_reportActions->addToMenu(menuBar()->addMenu(QStringLiteral("&Reports")));
    // Its commands go into the File menu, which the document controller adds.
    m_publishActions = new PublishActions(*this);
    m_calendarSyncActions = new CalendarSyncActions(*this);
    m_calendarSyncActions->addToMenu(menuBar()->addMenu(QStringLiteral("C&alendar")));
    m_connectActions = new SemestraConnectActions(*this);
    m_connectActions->addToMenuBar(menuBar());
    QMenu* help = menuBar()->addMenu(QStringLiteral("&Help"));
    m_helpActions = new HelpActions(*this);
    m_helpActions->addToMenu(help);
    m_connectActions->addFeedbackTo(help);
    QToolBar* toolBar = addToolBar(QStringLiteral("Planning"));
    toolBar->setObjectName(QStringLiteral("planningToolBar"));
    toolBar->setMovable(false);
    toolBar->setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
    m_planningActions->addToToolBar(toolBar);
    m_standardsActions->addToToolBar(toolBar);
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
    updateTitle();
    if (m_document->isReadOnly()) {
        m_alerts.inform(QStringLiteral("The document is open in another copy of Semestra."),
            QStringLiteral("“%1” is open elsewhere, perhaps by another user or on another computer, so it opens "
                           "read-only here: nothing is saved to it. To keep changes made here, use Save As.")
                .arg(QFileInfo(path).fileName()));
    }
    // A file saved before its year was made gets the wizard a new document gets.
    if (!m_document->getCurrentYear())
        offerNewYearSheet();
    setupWindow();
    return true;
}

void DocumentWindow::offerNewYearSheet()
{
    QTimer::singleShot(wizardDelay, this, [this] { showNewYearSheet(); });
}

NewYearSheet* DocumentWindow::showNewYearSheet()
{
    if (m_document->getCurrentYear() || m_document->isOpeningProgrammatically())
        return nullptr;
    auto* sheet = new NewYearSheet(m_document->context(), m_alerts, this);
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    sheet->addActions(m_applicationCommands);
    connect(sheet, &QDialog::rejected, this, &QWidget::close);
    connect(sheet, &NewYearSheet::quitRequested, this, &DocumentWindow::quitRequested);
    connect(sheet, &QDialog::accepted, this, &DocumentWindow::setupWindow);
    // The sheet goes first; the file is chosen and read once it is gone.
    connect(sheet, &NewYearSheet::openWindowsFileRequested, this, [this, sheet] {
        sheet->hide();
        sheet->deleteLater();
        QTimer::singleShot(0, this, [this] {
            if (!importWindowsFile())
                close();
        });
    });
    sheet->open();
    return sheet;
}

bool DocumentWindow::importWindowsFile()
{
    const WindowsImportController::Outcome outcome
        = WindowsImportController(*m_document, m_alerts, m_files).openSemestraForWindows();
    if (outcome == WindowsImportController::Outcome::NothingImported)
        return false;
    updateTitle();
    setupWindow();
    return true;
}

NewYearSheet* DocumentWindow::newYearSheet() const
{
    return findChild<NewYearSheet*>(QString(), Qt::FindDirectChildrenOnly);
}

void DocumentWindow::addApplicationCommand(QAction* action)
{
    addAction(action);
    m_applicationCommands.append(action);
}

QSize DocumentWindow::firstSize(const QScreen* screen)
{
    if (!screen)
        return smallestFirstSize;
    return (QSizeF(screen->availableGeometry().size()) * screenShare).toSize().expandedTo(smallestFirstSize);
}

void DocumentWindow::setupWindow()
{
    Year* year = m_document->getCurrentYear();
    if (!year || m_planningArea)
        return;
    m_document->setUpForWindow();
    m_connectActions->updateStates();
    m_editActions->bind(m_document->context());
    // The calendar's column keeps its width; the rest is the planning area's.
    auto* central = new QWidget(this);
    auto* row = new QHBoxLayout(central);
    row->setContentsMargins(0, 0, 0, 0);
    row->addWidget(createNavigationColumn(*year));
    m_modes = new QStackedWidget(central);
    m_planningArea = new PlanningArea(*year, m_alerts, m_modes);
    m_planningArea->setLessonBoxHandler(m_lessonBoxCommands.get());
    m_modes->addWidget(m_planningArea);
    row->addWidget(m_modes, 1);
    setCentralWidget(central);
    m_reportActions->bind(m_planningArea);
    SidePanel* side = m_planningArea->sidePanel();
    m_dayActions->connectPanels(side->nonSchoolTools(), side->dayTools(), side->noLessonsTools());
    connectLessonPanel(side->settings());
    m_courseActions->updateStates();
    m_shown->setPlanningArea(m_planningArea);
    m_dayActions->observeYear();
    connect(m_planningArea, &PlanningArea::viewChanged, this, &DocumentWindow::showCurrentDayInPicker);
    connect(m_planningArea, &PlanningArea::viewChanged, this, &DocumentWindow::placeViewInTabOrder);
    connect(m_planningArea, &PlanningArea::selectionChanged, this, &DocumentWindow::showCurrentDayInPicker);
    observeDocument();
    m_planningArea->start();
    // Typing into a window that just opened goes to its lessons, not into a search.
    // (A year without weeks has no view to show.)
    if (QWidget* view = m_planningArea->currentView())
        view->setFocus();
}

void DocumentWindow::connectLessonPanel(LessonSettingsPanel* panel)
{
    m_lessonActions->connectPanel(panel);
    m_dayActions->connectLessonPanel(panel);
}

QWidget* DocumentWindow::createNavigationColumn(Year& year)
{
    auto* column = new QWidget(this);
    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(6, 6, 0, 6);
    m_calendarPicker = new CalendarPicker(column);
    m_calendarPicker->setYear(&year);
    m_courseList = new CourseSourceList(column);
    m_courseList->setYear(&year);
    layout->addWidget(m_calendarPicker);
    layout->addWidget(m_courseList, 1);
    // As wide as the calendar: every pixel more is taken from the week.
    const QMargins margins = layout->contentsMargins();
    column->setFixedWidth(m_calendarPicker->sizeHint().width() + margins.left() + margins.right());
    return column;
}

void DocumentWindow::observeDocument()
{
    const void* scope = &m_document->context();
    m_observers.observe(PlanningNotifications::gotoDate, scope, [this](const Notification& note) {
        if (Day* day = note.objectAs<Day>())
            gotoDay(day);
    });
    // A day picked in the calendar is shown in the planning views, which come back in front for it.
    m_observers.observe(
        PlanningNotifications::calendarDaySelected, scope, [this](const Notification&) { showPlanningMode(); });
    // The picker's own buttons: only this window's picker means this document.
    m_observers.observe(PlanningNotifications::gotoToday, scope, [this](const Notification& note) {
        if (note.object == m_calendarPicker)
            gotoToday();
    });
    m_observers.observe(PlanningNotifications::selectDate, scope, [this](const Notification& note) {
        if (note.object == m_calendarPicker)
            selectDate();
    });
    m_observers.observe(PlanningNotifications::lessonDoubleClicked, scope, [this](const Notification& note) {
        if (auto* lesson = note.objectAs<Lesson>())
            enterEditingMode(lesson);
    });
    m_observers.observe(
        PlanningNotifications::returnToPlanningMode, scope, [this](const Notification&) { returnToPlanningMode(); });
    m_observers.observe(PlanningNotifications::courseDoubleClicked, scope, [](const Notification& note) {
        if (const Course* course = note.objectAs<Course>())
            NotificationCenter::defaultCenter().post(
                PlanningNotifications::lessonDoubleClicked, course->getLessonClosestToToday());
    });
}

// Views are made when first shown, after the side panel: left alone, Tab
// would reach them last. The keyboard goes left to right, as the eye does.
void DocumentWindow::placeViewInTabOrder()
{
    QWidget::setTabOrder(m_courseList, m_planningArea->currentView());
}

void DocumentWindow::showCurrentDayInPicker()
{
    m_calendarPicker->showDay(m_planningArea->controller().currentDay());
}

void DocumentWindow::gotoDay(Day* day)
{
    m_calendarPicker->recreateDaysWithDay(day, CalendarPicker::PostNotification::Yes);
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

EditingModeView* DocumentWindow::editingModeView() const
{
    return m_shown->editingView();
}

void DocumentWindow::enterEditingMode(Lesson* lesson)
{
    if (!lesson || lesson->isDeleted() || !m_modes)
        return;
    showPlanningMode();
    auto* view = new EditingModeView(*m_document->getCurrentYear(), lesson, m_alerts, m_modes);
    m_modes->addWidget(view);
    connectLessonPanel(view->lessonSettings());
    m_dayActions->connectDayPanel(view->dayTools());
    m_shown->setEditingView(view);
}

void DocumentWindow::returnToPlanningMode()
{
    EditingModeView* view = editingModeView();
    if (!view)
        return;
    // Deleted later: the return may come from one of the view's own buttons.
    view->deleteLater();
    m_shown->setEditingView(nullptr);
}

void DocumentWindow::showPlanningMode()
{
    m_reportActions->closeReport();
    returnToPlanningMode();
}

void DocumentWindow::toggleEditingMode()
{
    switch (m_shown->mode()) {
    case ShownSelection::Mode::Editing:
        returnToPlanningMode();
        break;
    case ShownSelection::Mode::Planning:
        if (Lesson* lesson = m_shown->lesson())
            NotificationCenter::defaultCenter().post(PlanningNotifications::lessonDoubleClicked, lesson);
        break;
    case ShownSelection::Mode::NoYear:
    case ShownSelection::Mode::Report:
        break;
    }
}

void DocumentWindow::showMode()
{
    if (QWidget* shown = m_shown->shownWidget())
        m_modes->setCurrentWidget(shown);
    updateEditingModeAction();
}

// Under a report neither entering nor leaving editing mode is on offer:
// either would act on a view the report hides.
void DocumentWindow::updateEditingModeAction()
{
    const ShownSelection::Mode mode = m_shown->mode();
    m_editingModeAction->setText(
        editingModeView() ? QStringLiteral("Return to Planning Mode") : QStringLiteral("Enter Editing Mode"));
    m_editingModeAction->setEnabled(
        mode == ShownSelection::Mode::Editing || (mode == ShownSelection::Mode::Planning && m_shown->lesson()));
}

QString DocumentWindow::titleForPath(const QString& filePath)
{
    if (filePath.isEmpty())
        return QStringLiteral("Untitled");
    return QFileInfo(filePath).fileName();
}

void DocumentWindow::updateTitle()
{
    setWindowTitle(titleForPath(m_document->filePath()) + QStringLiteral("[*]"));
    showUnsavedChanges();
}

void DocumentWindow::showUnsavedChanges()
{
    setWindowModified(m_document->context().hasChanges());
}
