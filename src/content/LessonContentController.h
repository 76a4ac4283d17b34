#pragma once

#include <QString>

class AlertPresenter;
class Lesson;
class Unit;
class Year;

// The document's commands on lesson content: clearing, copy and paste through
// the application's private lesson pasteboard, the lock, leaving a unit, and
// what a drop onto a lesson does. The lesson is the one the planning view has
// current; a command without one does nothing.
class LessonContentController {
public:
    static const QString pasteboardName;

    explicit LessonContentController(AlertPresenter& alerts);

    // Empties the lesson and gives it the times of its slot again.
    void clearLesson(Lesson* lesson);
    // After the teacher confirms; false when cancelled.
    bool clearAllLessons(Year& year);

    void copyLesson(const Lesson* lesson);
    // Whether the pasteboard holds something a paste could use.
    bool canPasteLesson() const;
    // False when there is no lesson or the pasteboard holds no lesson.
    bool pasteLesson(Lesson* lesson);

    void toggleLock(Lesson* lesson);
    void removeFromUnit(Lesson* lesson);

    // Drops. Each answers whether the target changed.
    bool dropLesson(Lesson* target, const Lesson* dropped);
    bool dropText(Lesson* target, const QString& text);
    // Copies the unit onto the target and the lessons after it, as a new
    // unit, once the teacher confirms.
    bool dropUnit(Lesson* target, const Unit* unit);

private:
    bool confirmUnitCopy(int lessonCount);

    AlertPresenter& m_alerts;
};
