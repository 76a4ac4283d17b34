#pragma once

class Lesson;
class QContextMenuEvent;
class QDragMoveEvent;
class QDropEvent;
class QMimeData;
class QPoint;

// What the window does with a lesson box beyond selecting it: what may be
// dropped onto it and the commands of its context menu. The views find the
// lesson under the pointer; the handler decides the rest. A view without a
// handler takes no drops and shows no menu.
class LessonBoxHandler {
public:
    virtual ~LessonBoxHandler() = default;

    // Whether the data is of a kind a lesson could take at all.
    virtual bool accepts(const QMimeData& data) const = 0;
    virtual bool canDrop(const Lesson& target, const QMimeData& data) const = 0;
    virtual void drop(Lesson& target, const QMimeData& data) = 0;
    // The lesson is already selected when its menu shows.
    virtual void showMenu(const QPoint& globalPosition) = 0;

    // The views' drag events, with `target` the lesson under the pointer.
    static void dragEntered(LessonBoxHandler* handler, QDragMoveEvent* event);
    static void dragMoved(LessonBoxHandler* handler, QDragMoveEvent* event, const Lesson* target);
    static void dropped(LessonBoxHandler* handler, QDropEvent* event, Lesson* target);
};
