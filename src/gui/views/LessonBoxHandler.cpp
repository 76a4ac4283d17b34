#include "gui/views/LessonBoxHandler.h"

#include <QDropEvent>

void LessonBoxHandler::dragEntered(LessonBoxHandler* handler, QDragMoveEvent* event)
{
    // Accepting the entry keeps the move events coming; each move then says
    // whether the box under the pointer takes the drop.
    if (handler && event->mimeData() && handler->accepts(*event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void LessonBoxHandler::dragMoved(LessonBoxHandler* handler, QDragMoveEvent* event, const Lesson* target)
{
    if (handler && target && event->mimeData() && handler->canDrop(*target, *event->mimeData()))
        event->acceptProposedAction();
    else
        event->ignore();
}

void LessonBoxHandler::dropped(LessonBoxHandler* handler, QDropEvent* event, Lesson* target)
{
    if (!handler || !target || !event->mimeData() || !handler->canDrop(*target, *event->mimeData())) {
        event->ignore();
        return;
    }
    // Taken before the handler asks anything, so that the source sees the
    // drop accepted whatever the teacher answers.
    event->acceptProposedAction();
    handler->drop(*target, *event->mimeData());
}
