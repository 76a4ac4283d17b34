#include "gui/window/DayActions.h"

#include "gui/panels/DaySettingsPanel.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "gui/panels/NonSchoolSettingsPanel.h"
#include "gui/schedule/AddCourseToSingleDaySheet.h"
#include "gui/schedule/CustomDaySheet.h"
#include "gui/schedule/ExtendHolidaySheet.h"
#include "gui/schedule/MakeNonSchoolDaySheet.h"
#include "gui/schedule/RestartRotationSheet.h"
#include "gui/window/ShownSelection.h"
#include "gui/window/UndoStepName.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "schedule/ConvertDayMenu.h"
#include "schedule/NonSchoolSettingsController.h"
#include "schedule/RemoveLessonFromDay.h"
#include "schedule/YearFrameCommands.h"
#include "store/UndoGroup.h"

#include <QMenu>

namespace {

// Makes the controller and its sheet the first time they are needed.
template <typename Controller, typename Sheet>
Sheet* sheetFor(std::unique_ptr<Controller>& controller, Sheet*& sheet, AlertPresenter& alerts, QWidget* window)
{
    if (!controller) {
        if constexpr (std::is_constructible_v<Controller, AlertPresenter&>)
            controller = std::make_unique<Controller>(alerts);
        else
            controller = std::make_unique<Controller>();
    }
    if (!sheet)
        sheet = new Sheet(*controller, window);
    return sheet;
}

} // namespace

DayActions::DayActions(AlertPresenter& alerts, const ShownSelection& shown, QWidget* window)
    : QObject(window)
    , m_alerts(alerts)
    , m_shown(shown)
    , m_window(window)
{
    connect(&shown, &ShownSelection::changed, this, &DayActions::updateStates);
}

DayActions::~DayActions() = default;

void DayActions::observeYear()
{
    m_observers.clear();
    if (const Year* year = m_shown.year()) {
        m_observers.observe(PlanningNotifications::makeNonSchoolDay, &year->context(),
            [this](const Notification& note) { makeNonSchoolDay(note.objectAs<Day>()); });
    }
    updateStates();
}

QMenu* DayActions::createMenu(QWidget* parent)
{
    auto* menu = new QMenu(tr("&Day"), parent);
    m_makeNonSchool = menu->addAction(tr("Make Non-School Day…"), this, [this] { makeNonSchoolDay(shownDay()); });
    m_convertMenu = menu->addMenu(tr("Convert Day To"));
    connect(m_convertMenu, &QMenu::triggered, this, &DayActions::convertChosen);
    // Its items name the day types the day can become, not the command.
    UndoStepName::set(m_convertMenu, QStringLiteral("Convert Day"));
    m_makeCustomDay = menu->addAction(tr("Make Custom Day…"), this, [this] { makeCustomDay(shownDay()); });
    m_addCourse = menu->addAction(tr("Add Course to Day…"), this, [this] { addCourse(shownDay()); });
    m_removeLesson = menu->addAction(tr("Remove Lesson from Day…"), this, &DayActions::removeShownLesson);
    m_restartRotation = menu->addAction(tr("Restart Rotation…"), this, [this] { restartRotation(shownDay()); });
    menu->addSeparator();
    m_insertWeek = menu->addAction(tr("Insert Week at Beginning"), this, &DayActions::insertWeek);
    m_extendYear = menu->addAction(tr("Extend Year by One Week"), this, &DayActions::extendYear);
    // The year's day types and weekdays may have changed since the menu was last open.
    connect(menu, &QMenu::aboutToShow, this, &DayActions::updateStates);
    updateStates();
    return menu;
}

void DayActions::connectPanels(
    NonSchoolSettingsPanel* nonSchool, DaySettingsPanel* daySettings, DaySettingsPanel* noLessons)
{
    connect(nonSchool, &NonSchoolSettingsPanel::restoreRequested, this, &DayActions::restoreNonSchoolDay);
    connect(nonSchool, &NonSchoolSettingsPanel::extendRequested, this, &DayActions::extendNonSchoolDay);
    connect(nonSchool, &NonSchoolSettingsPanel::makeCustomDayRequested, this, &DayActions::makeCustomDay);
    connectDayPanel(daySettings);
    connectDayPanel(noLessons);
}

void DayActions::connectDayPanel(DaySettingsPanel* panel)
{
    connect(panel, &DaySettingsPanel::makeCustomDayRequested, this, &DayActions::makeCustomDay);
    connect(panel, &DaySettingsPanel::addCourseRequested, this, &DayActions::addCourse);
    connect(panel, &DaySettingsPanel::restartRotationRequested, this, &DayActions::restartRotation);
}

Day* DayActions::shownDay() const
{
    return m_shown.day();
}

void DayActions::updateStates()
{
    if (!m_makeNonSchool)
        return;
    Day* day = shownDay();
    const Year* year = m_shown.year();
    const bool school = day && !day->isNonSchoolDay();
    const bool rotating = year && !year->isNonRotating();
    m_makeNonSchool->setEnabled(school);
    m_makeCustomDay->setEnabled(day != nullptr);
    m_addCourse->setEnabled(school);
    m_removeLesson->setEnabled(m_shown.lesson() != nullptr);
    m_restartRotation->setVisible(rotating);
    m_restartRotation->setEnabled(school && rotating);
    m_insertWeek->setEnabled(year != nullptr);
    m_extendYear->setEnabled(year != nullptr);
    rebuildConvertMenu();
    m_convertMenu->setEnabled(school && !m_convertMenu->isEmpty());
}

namespace {

bool menuShows(const QMenu& menu, const QList<ConvertDayMenu::Item>& items)
{
    const QList<QAction*> actions = menu.actions();
    return std::equal(actions.begin(), actions.end(), items.begin(), items.end(),
        [](const QAction* action, const ConvertDayMenu::Item& item) {
            return action->text() == item.title && action->data().toInt() == item.tag;
        });
}

} // namespace

void DayActions::rebuildConvertMenu()
{
    const Year* year = m_shown.year();
    const QList<ConvertDayMenu::Item> items = year ? ConvertDayMenu::items(*year) : QList<ConvertDayMenu::Item>();
    // Every selection change lands here, and a bump selects the lessons it
    // moves: replacing unchanged actions would churn the menu for nothing.
    if (menuShows(*m_convertMenu, items))
        return;
    m_convertMenu->clear();
    for (const ConvertDayMenu::Item& item : items) {
        QAction* action = m_convertMenu->addAction(item.title);
        action->setData(item.tag);
    }
}

void DayActions::convertChosen(QAction* chosen)
{
    Day* day = shownDay();
    if (!day)
        return;
    for (const ConvertDayMenu::Item& item : ConvertDayMenu::items(*m_shown.year())) {
        if (item.tag == chosen->data().toInt())
            ConvertDayMenu::convert(*day, item, m_alerts);
    }
}

void DayActions::makeNonSchoolDay(Day* day)
{
    if (!day)
        return;
    sheetFor(m_nonSchoolController, m_makeNonSchoolSheet, m_alerts, m_window);
    // Without the sheet the day is cancelled at once; with it, the sheet
    // names its own step after the kind of day chosen there.
    const UndoGroup step(day->context(), QStringLiteral("Cancel Day"));
    if (m_nonSchoolController->makeNonSchoolDay(*day) == MakeNonSchoolDayController::Outcome::ShowSheet) {
        m_makeNonSchoolSheet->load();
        m_makeNonSchoolSheet->open();
    }
}

void DayActions::makeCustomDay(Day* day)
{
    if (!day)
        return;
    sheetFor(m_customDayController, m_customDaySheet, m_alerts, m_window);
    m_customDayController->showFor(day);
    m_customDaySheet->load();
    m_customDaySheet->open();
}

void DayActions::addCourse(Day* day)
{
    if (!day)
        return;
    sheetFor(m_addCourseController, m_addCourseSheet, m_alerts, m_window);
    m_addCourseController->setDay(day);
    m_addCourseSheet->load();
    m_addCourseSheet->open();
}

void DayActions::restoreNonSchoolDay(Day* day)
{
    NonSchoolSettingsController settings;
    settings.setDay(day);
    settings.restoreHoliday(m_alerts);
}

void DayActions::extendNonSchoolDay(Day* day)
{
    if (!day)
        return;
    sheetFor(m_extendController, m_extendSheet, m_alerts, m_window);
    m_extendController->setDay(day);
    m_extendSheet->load();
    m_extendSheet->open();
}

void DayActions::restartRotation(Day* day)
{
    if (!day)
        return;
    sheetFor(m_restartController, m_restartSheet, m_alerts, m_window);
    m_restartController->setDay(day);
    m_restartSheet->load();
    m_restartSheet->open();
}

void DayActions::removeShownLesson()
{
    removeLesson(m_shown.lesson());
}

void DayActions::removeLesson(Lesson* lesson)
{
    if (lesson)
        RemoveLessonFromDay::cancelLessonPressed(*lesson, m_alerts);
}

void DayActions::connectLessonPanel(LessonSettingsPanel* panel)
{
    connect(panel, &LessonSettingsPanel::cancelLessonPressed, this, &DayActions::removeLesson);
}

void DayActions::insertWeek()
{
    if (Year* year = m_shown.year())
        YearFrameCommands::insertWeekAtBeginning(*year, m_alerts);
}

void DayActions::extendYear()
{
    if (Year* year = m_shown.year())
        YearFrameCommands::extendYearByOneWeek(*year, m_alerts);
}
