#include "gui/window/LessonKeys.h"

#include "foundation/notify/NotificationCenter.h"
#include "gui/panels/SidePanel.h"
#include "model/Lesson.h"
#include "planning/PlanningModeViewController.h"
#include "planning/PlanningNotifications.h"

#include <QKeyEvent>
#include <QWidget>

LessonKeys::LessonKeys(PlanningModeViewController& controller, SidePanel& sidePanel, QObject* parent)
    : QObject(parent)
    , m_controller(controller)
    , m_sidePanel(sidePanel)
{ }

void LessonKeys::watch(QWidget* view, const QString& name)
{
    view->setFocusPolicy(Qt::StrongFocus);
    view->setAccessibleName(name);
    view->setAccessibleDescription(
        tr("Arrow keys choose a lesson on another day or of another course; Return opens it in the side panel"));
    view->installEventFilter(this);
}

bool LessonKeys::eventFilter(QObject* watched, QEvent* event)
{
    if (event->type() != QEvent::KeyPress)
        return QObject::eventFilter(watched, event);
    return handle(static_cast<const QKeyEvent&>(*event));
}

bool LessonKeys::handle(const QKeyEvent& key)
{
    // The keypad's arrows and Enter count too.
    if ((key.modifiers() & ~Qt::KeypadModifier) != Qt::NoModifier)
        return false;
    using Step = PlanningModeViewController::Step;
    switch (key.key()) {
    case Qt::Key_Left:
        m_controller.selectNeighbouringLesson(Step::PreviousDay);
        return true;
    case Qt::Key_Right:
        m_controller.selectNeighbouringLesson(Step::NextDay);
        return true;
    case Qt::Key_Up:
        m_controller.selectNeighbouringLesson(Step::PreviousCourse);
        return true;
    case Qt::Key_Down:
        m_controller.selectNeighbouringLesson(Step::NextCourse);
        return true;
    case Qt::Key_Return:
    case Qt::Key_Enter:
        openInSidePanel();
        return true;
    default:
        return false;
    }
}

void LessonKeys::openInSidePanel()
{
    Lesson* lesson = m_controller.currentLesson();
    if (!lesson)
        return;
    // Selected again, so that the side panel shows the lesson's editor
    // rather than its settings.
    NotificationCenter::defaultCenter().post(PlanningNotifications::lessonClicked, lesson);
    m_sidePanel.focusLessonEditor();
}
