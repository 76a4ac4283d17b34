#include "content/TemplateWindowController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/CourseOrder.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

TemplateWindowController::TemplateWindowController(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

void TemplateWindowController::setLesson(Lesson* lesson)
{
    m_lesson = lesson;
    if (!lesson || !lesson->dayTaught() || !lesson->year())
        return;
    m_startDate = lesson->dayTaught()->actualDate();
    m_endDate = lesson->year()->endDate();
}

QString TemplateWindowController::message() const
{
    if (!m_lesson || !m_lesson->dayTaught())
        return {};
    return QStringLiteral("Choose dates below for the start and end dates of the lessons that should be replaced by "
                          "the information contained in the %1 lesson on %2.  Only lessons in the %3 course will be "
                          "replaced.")
        .arg(m_lesson->courseName(), m_lesson->dayTaught()->mediumDateString(), m_lesson->courseName());
}

// The year's range query starts after the midnight of the date it is given;
// asking from the day before makes the chosen start day one of the lessons.
QList<Lesson*> TemplateWindowController::lessonsInRange() const
{
    if (!m_lesson || !m_lesson->year() || !m_lesson->course())
        return {};
    const Date dayBefore = m_startDate.midnightDate().addingSeconds(-1);
    return m_lesson->year()->getLessonsInCourse(m_lesson->course(), dayBefore, m_endDate);
}

bool TemplateWindowController::applyPressed()
{
    if (!m_lesson || !m_lesson->course())
        return true;
    const int answer = m_alerts.runModal(Alert { QStringLiteral("Overwrite Lessons?"),
        QStringLiteral("This operation will overwrite all the information in the lessons you have selected.  Are you "
                       "certain you want to continue?"),
        QStringLiteral("Yes"), QStringLiteral("No"), {} });
    if (answer != AlertDefaultReturn)
        return false;
    const QList<Lesson*> targets = lessonsInRange();
    // One course order serves every copy of the template's assignments.
    const CourseOrder order(*m_lesson->course());
    for (Lesson* target : targets) {
        if (target != m_lesson)
            target->replaceAllDataWithLesson(m_lesson, order);
    }
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh);
    return true;
}
