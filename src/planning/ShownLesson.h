#pragma once

#include "foundation/dates/Date.h"

class Course;
class Lesson;

// The lesson an editor shows, with its course and date remembered: deleting
// a lesson unlinks it from both, and an editor left holding a deleted lesson
// must move to the nearest one that remains rather than keep editing a dead
// record.
class ShownLesson {
public:
    void set(Lesson* lesson);
    Lesson* lesson() const { return m_lesson; }

    // After a change that may have deleted lessons: when the shown lesson is
    // gone, the nearest remaining lesson of its course by date (the later
    // one on a tie) takes its place, or none when the course is gone or has
    // no lessons left. Returns whether the shown lesson changed.
    bool replaceIfDeleted();

private:
    Lesson* m_lesson = nullptr;
    Course* m_course = nullptr;
    Date m_date;
};
