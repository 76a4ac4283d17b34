#include "gui/window/CourseActions.h"

#include "foundation/notify/NotificationCenter.h"
#include "gui/schedule/AddCourseSheet.h"
#include "gui/schedule/CourseColorSheet.h"
#include "gui/schedule/CourseTimesSheet.h"
#include "gui/schedule/MigrateYearSheet.h"
#include "gui/schedule/RemoveCourseSheet.h"
#include "gui/window/DocumentWindow.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QAction>
#include <QMenu>

#include <algorithm>

namespace {

// The course-times table has a row only for a course that meets on a
// regular (non-custom) school day.
bool anyCourseMeetsOnARegularDay(const Year& year)
{
    const QList<Course*> courses = year.myCourses();
    return std::any_of(courses.begin(), courses.end(), [](const Course* course) {
        const QList<Lesson*> lessons = course->lessons();
        return std::any_of(lessons.begin(), lessons.end(), [](const Lesson* lesson) {
            const Day* day = lesson->dayTaught();
            return day && !day->isNonSchoolDay() && !day->isCustom();
        });
    });
}

} // namespace

CourseActions::CourseActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
{
    m_addCourse = makeAction(QStringLiteral("Add Course…"), &CourseActions::addCourse);
    m_removeCourse = makeAction(QStringLiteral("Remove Course…"), &CourseActions::removeCourse);
    m_courseColors = makeAction(QStringLiteral("Course Colors…"), &CourseActions::changeCourseColors);
    m_assignTimes = makeAction(QStringLiteral("Assign Course Times…"), &CourseActions::assignCourseTimes);
    m_migrate = makeAction(QStringLiteral("Migrate Year…"), &CourseActions::migrateYear);
    updateStates();
}

QAction* CourseActions::makeAction(const QString& text, void (CourseActions::*command)())
{
    auto* action = new QAction(text, this);
    connect(action, &QAction::triggered, this, command);
    return action;
}

void CourseActions::addToMenu(QMenu* menu)
{
    menu->addActions({ m_addCourse, m_removeCourse, m_courseColors });
    menu->addSeparator();
    menu->addAction(m_assignTimes);
    menu->addSeparator();
    menu->addAction(m_migrate);
    connect(menu, &QMenu::aboutToShow, this, &CourseActions::updateStates);
}

void CourseActions::updateStates()
{
    const Year* year = m_window.document().getCurrentYear();
    const bool free = year && !m_sheet;
    const bool hasCourses = free && !year->myCourses().isEmpty();
    m_addCourse->setEnabled(free);
    m_removeCourse->setEnabled(hasCourses);
    m_courseColors->setEnabled(hasCourses);
    m_assignTimes->setEnabled(hasCourses && anyCourseMeetsOnARegularDay(*year));
    m_migrate->setEnabled(free);
}

void CourseActions::show(QDialog* sheet)
{
    m_sheet = sheet;
    sheet->setAttribute(Qt::WA_DeleteOnClose);
    connect(sheet, &QDialog::finished, this, &CourseActions::sheetEnded);
    updateStates();
    sheet->open();
}

void CourseActions::sheetEnded()
{
    m_sheet = nullptr;
    if (Year* year = m_window.document().getCurrentYear()) {
        NotificationCenter::defaultCenter().post(PlanningNotifications::courseAdded, year);
        NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, year);
    }
    updateStates();
}

void CourseActions::addCourse()
{
    if (Year* year = m_window.document().getCurrentYear())
        show(new AddCourseSheet(*year, m_window.alerts(), &m_window));
}

void CourseActions::removeCourse()
{
    if (Year* year = m_window.document().getCurrentYear())
        show(new RemoveCourseSheet(*year, m_window.alerts(), &m_window));
}

void CourseActions::changeCourseColors()
{
    if (Year* year = m_window.document().getCurrentYear())
        show(new CourseColorSheet(*year, &m_window));
}

void CourseActions::assignCourseTimes()
{
    if (Year* year = m_window.document().getCurrentYear())
        show(new CourseTimesSheet(*year, &m_window));
}

void CourseActions::migrateYear()
{
    if (!m_window.document().getCurrentYear())
        return;
    auto* sheet = new MigrateYearSheet(m_window.document(), m_window.alerts(), &m_window);
    // The migrated document is untitled: the title says so at once.
    connect(sheet, &QDialog::accepted, this, [this] { m_window.updateTitle(); });
    show(sheet);
}
