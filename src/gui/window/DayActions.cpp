#include "gui/window/DayActions.h"

#include "gui/panels/DaySettingsPanel.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "gui/panels/NonSchoolSettingsPanel.h"
#include "gui/schedule/AddCourseToSingleDaySheet.h"
#include "gui/schedule/CustomDaySheet.h"
#include "gui/schedule/ExtendHolidaySheet.h"
#include "gui/schedule/MakeNonSchoolDaySheet.h"
#include "gui/schedule/RestartRotationSheet.h"
#include "gui/window/PlanningArea.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "schedule/ConvertDayMenu.h"
#include "schedule/NonSchoolSettingsController.h"
#include "schedule/RemoveLessonFromDay.h"
#include "schedule/YearFrameCommands.h"

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

DayActions::DayActions(AlertPresenter& alerts, QWidget* window)
    : QObject(window)
    , m_alerts(alerts)
    , m_window(window)
{ }

DayActions::~DayActions() = default;

void DayActions::bind(PlanningArea* area)
{
    m_area = area;
    m_observers.clear();
    if (area) {
        m_observers.observe(PlanningNotifications::makeNonSchoolDay, &area->controller().year().context(),
            [this](const Notification& note) { makeNonSchoolDay(note.objectAs<Day>()); });
        connect(area, &PlanningArea::selectionChanged, this, &DayActions::updateStates, Qt::UniqueConnection);
    }
    updateStates();
}

QMenu* DayActions::createMenu(QWidget* parent)
{
    auto* menu = new QMenu(tr("&Day"), parent);
    m_makeNonSchool = menu->addAction(tr("Make Non-School Day…"), this, [this] { makeNonSchoolDay(currentDay()); });
    m_convertMenu = menu->addMenu(tr("Convert Day To"));
    connect(m_convertMenu, &QMenu::triggered, this, &DayActions::convertChosen);
    m_makeCustomDay = menu->addAction(tr("Make Custom Day…"), this, [this] { makeCustomDay(currentDay()); });
    m_addCourse = menu->addAction(tr("Add Course to Day…"), this, [this] { addCourse(currentDay()); });
    m_removeLesson = menu->addAction(tr("Remove Lesson from Day…"), this, &DayActions::removeCurrentLesson);
    m_restartRotation = menu->addAction(tr("Restart Rotation…"), this, [this] { restartRotation(currentDay()); });
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
    for (DaySettingsPanel* panel : { daySettings, noLessons }) {
        connect(panel, &DaySettingsPanel::makeCustomDayRequested, this, &DayActions::makeCustomDay);
        connect(panel, &DaySettingsPanel::addCourseRequested, this, &DayActions::addCourse);
        connect(panel, &DaySettingsPanel::restartRotationRequested, this, &DayActions::restartRotation);
    }
}

Day* DayActions::currentDay() const
{
    return m_area ? m_area->controller().currentDay() : nullptr;
}

void DayActions::updateStates()
{
    if (!m_makeNonSchool)
        return;
    Day* day = currentDay();
    // While a report shows, the day commands have no day on show to act on.
    const bool school = day && !day->isNonSchoolDay() && !m_area->controller().isReportShowing();
    const bool rotating = m_area && !m_area->controller().year().isNonRotating();
    m_makeNonSchool->setEnabled(school);
    m_makeCustomDay->setEnabled(day != nullptr);
    m_addCourse->setEnabled(school);
    m_removeLesson->setEnabled(m_area && m_area->controller().currentLesson());
    m_restartRotation->setVisible(rotating);
    m_restartRotation->setEnabled(school && rotating);
    m_insertWeek->setEnabled(m_area != nullptr);
    m_extendYear->setEnabled(m_area != nullptr);
    rebuildConvertMenu();
    m_convertMenu->setEnabled(school && !m_convertMenu->isEmpty());
}

void DayActions::rebuildConvertMenu()
{
    m_convertMenu->clear();
    if (!m_area)
        return;
    for (const ConvertDayMenu::Item& item : ConvertDayMenu::items(m_area->controller().year())) {
        QAction* action = m_convertMenu->addAction(item.title);
        action->setData(item.tag);
    }
}

void DayActions::convertChosen(QAction* chosen)
{
    Day* day = currentDay();
    if (!day || !m_area)
        return;
    for (const ConvertDayMenu::Item& item : ConvertDayMenu::items(m_area->controller().year())) {
        if (item.tag == chosen->data().toInt())
            ConvertDayMenu::convert(*day, item, m_alerts);
    }
}

void DayActions::makeNonSchoolDay(Day* day)
{
    if (!day)
        return;
    sheetFor(m_nonSchoolController, m_makeNonSchoolSheet, m_alerts, m_window);
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

void DayActions::removeCurrentLesson()
{
    removeLesson(m_area ? m_area->controller().currentLesson() : nullptr);
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
    if (m_area)
        YearFrameCommands::insertWeekAtBeginning(m_area->controller().year(), m_alerts);
}

void DayActions::extendYear()
{
    if (m_area)
        YearFrameCommands::extendYearByOneWeek(m_area->controller().year(), m_alerts);
}
