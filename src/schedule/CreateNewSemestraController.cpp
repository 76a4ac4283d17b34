#include "schedule/CreateNewSemestraController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/Clock.h"
#include "schedule/SchoolYearProposal.h"
#include "schedule/YearBuilder.h"
#include "schedule/YearGrid.h"

#include <algorithm>

namespace {

constexpr int shortestYearInDays = 7;
constexpr int monday = 1;
constexpr int friday = 5;

} // namespace

CreateNewSemestraController::CreateNewSemestraController(ObjectContext& context, AlertPresenter& alerts)
    : m_context(context)
    , m_alerts(alerts)
{
    const SchoolYearProposal proposal = SchoolYearProposal::forDate(Clock::now());
    m_plan.startDate = proposal.start();
    m_plan.endDate = proposal.end();
    // Most schools meet Monday to Friday; the teacher only changes the odd one.
    for (int weekday = monday; weekday <= friday; ++weekday)
        setTeachingDay(weekday, true);
}

bool CreateNewSemestraController::isTeachingDay(int weekday) const
{
    return weekday >= 0 && weekday < 7 && m_plan.teachingDays.at(std::size_t(weekday));
}

void CreateNewSemestraController::setTeachingDay(int weekday, bool teaches)
{
    if (weekday >= 0 && weekday < 7)
        m_plan.teachingDays.at(std::size_t(weekday)) = teaches;
}

void CreateNewSemestraController::setFieldTitle(int field, const QString& title)
{
    if (field >= 0 && field < m_plan.fieldTitles.size())
        m_plan.fieldTitles[field] = title;
}

bool CreateNewSemestraController::isFieldShown(int field) const
{
    return field >= 0 && std::size_t(field) < m_plan.shownFields.size() && m_plan.shownFields.at(std::size_t(field));
}

void CreateNewSemestraController::setFieldShown(int field, bool shown)
{
    if (field >= 0 && std::size_t(field) < m_plan.shownFields.size())
        m_plan.shownFields.at(std::size_t(field)) = shown;
}

CreateNewSemestraController::AddCourseResult CreateNewSemestraController::addCourse(const QString& name)
{
    if (name.isEmpty())
        return AddCourseResult::Ignored;
    if (m_plan.courseNames.contains(name, Qt::CaseSensitive)) {
        m_alerts.inform(QStringLiteral("Course already exists!"),
            QStringLiteral("Please be sure that all of your courses have unique names"));
        return AddCourseResult::AlreadyExists;
    }
    m_plan.courseNames.append(name);
    return AddCourseResult::Added;
}

void CreateNewSemestraController::deleteCourse(qsizetype row)
{
    if (row >= 0 && row < m_plan.courseNames.size())
        m_plan.courseNames.removeAt(row);
}

bool CreateNewSemestraController::validate()
{
    if (YearGrid::daysBetween(m_plan.startDate, m_plan.endDate) <= shortestYearInDays) {
        m_alerts.inform(QStringLiteral("Date Range Too Short"),
            QStringLiteral("Please ensure that you have specified a date range of at least one week"));
        return false;
    }
    // A year without a single school day would open as an empty window.
    if (std::none_of(m_plan.teachingDays.cbegin(), m_plan.teachingDays.cend(), [](bool teaches) { return teaches; })) {
        m_alerts.inform(QStringLiteral("No Teaching Days"),
            QStringLiteral("Please choose at least one day of the week on which school meets"));
        return false;
    }
    if (m_plan.courseNames.isEmpty()) {
        m_alerts.inform(QStringLiteral("No Courses Entered"),
            QStringLiteral("Please enter at least one course into your schedule before continuing"));
        return false;
    }
    return true;
}

CreateNewSemestraController::Outcome CreateNewSemestraController::continuePressed()
{
    if (!validate())
        return Outcome::StayOnPage;
    switch (m_plan.schedule) {
    case NewYearPlan::Schedule::Traditional:
        return build();
    case NewYearPlan::Schedule::WeeklyRepeating:
        m_plan.selection = CourseSelectionTable::forWeekdays(m_plan.courseNames, m_plan.teachingDays);
        break;
    case NewYearPlan::Schedule::AlternatingAB:
    case NewYearPlan::Schedule::Rotating:
        m_plan.selection = CourseSelectionTable::forRotation(m_plan.courseNames, m_plan.rotationDays());
        break;
    }
    m_page = Page::CourseSelection;
    return Outcome::ShowCourseSelection;
}

CreateNewSemestraController::Outcome CreateNewSemestraController::createPressed()
{
    return m_page == Page::CourseSelection ? build() : Outcome::StayOnPage;
}

CreateNewSemestraController::Outcome CreateNewSemestraController::build()
{
    // The wizard ends with the build; a second press must not add a second year.
    if (!m_year)
        m_year = YearBuilder(m_context, m_plan).build();
    return Outcome::YearBuilt;
}

bool CreateNewSemestraController::closePressed()
{
    if (m_plan.courseNames.isEmpty())
        return true;
    return m_alerts.runModal(Alert { QStringLiteral("Really Close?"),
               QStringLiteral("You've entered information about your schedule.  This information will be lost if "
                              "you close this window"),
               QStringLiteral("Close"), QStringLiteral("Cancel"), {} })
        == AlertDefaultReturn;
}
