#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

class AlertPresenter;
class Lesson;
class Unit;
class Year;

// The document's commands on lesson content: clearing, copy and paste through
// the desktop's clipboard (so between any two windows, in one process or
// two), the lock, leaving a unit, and what a drop onto a lesson does. The
// lesson is the one the planning view has current; a command without one
// does nothing.
class LessonContentController {
public:
    // Copied lessons on the clipboard: an XML property list holding an array
    // of lesson dictionaries. The first dictionary's text goes beside it as
    // plain text, for any other program.
    static const QString lessonsType;

    explicit LessonContentController(AlertPresenter& alerts);

    // Empties the lesson and gives it the times of its slot again.
    void clearLesson(Lesson* lesson);
    // After the teacher confirms; false when cancelled.
    bool clearAllLessons(Year& year);

    void copyLesson(const Lesson* lesson);
    // Whether the clipboard holds copied lessons.
    bool canPasteLesson() const;
    // False when there is no lesson or the clipboard holds no lesson.
    bool pasteLesson(Lesson* lesson);

    // Moves the lesson's content and that of every later lesson of its
    // course one meeting later, leaving this one empty; locked lessons stay.
    void bumpLesson(Lesson* lesson);
    // The reverse: every later lesson's content comes one meeting earlier,
    // over this lesson's, and the course's last movable lesson is emptied.
    void pullLessonsBack(Lesson* lesson);

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
    static bool importDictionary(Lesson* target, const std::optional<QVariantMap>& dictionary);

    AlertPresenter& m_alerts;
};
