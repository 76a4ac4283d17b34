#pragma once

#include "foundation/dates/Date.h"

#include <QString>

class AlertPresenter;
class Lesson;

// The sheet that overwrites a stretch of a course's lessons with one
// template lesson. It holds the template and the two chosen dates.
class TemplateWindowController {
public:
    explicit TemplateWindowController(AlertPresenter& alerts);

    // Starts the sheet: the range runs from the lesson's day to the year's end.
    void setLesson(Lesson* lesson);
    Lesson* lesson() const { return m_lesson; }
    QString message() const;

    Date startDate() const { return m_startDate; }
    Date endDate() const { return m_endDate; }
    void setStartDate(Date date) { m_startDate = date; }
    void setEndDate(Date date) { m_endDate = date; }

    // After the teacher confirms, copies the template onto every other lesson
    // of its course from the start date through the end date, both days
    // included. Answers whether the sheet closes.
    bool applyPressed();
    // The lessons the apply command would overwrite (the template included
    // when it lies in the range; it is never changed).
    QList<Lesson*> lessonsInRange() const;

private:
    AlertPresenter& m_alerts;
    Lesson* m_lesson = nullptr;
    Date m_startDate;
    Date m_endDate;
};
