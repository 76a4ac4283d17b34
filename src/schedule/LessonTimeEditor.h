#pragma once

#include "foundation/dates/Date.h"

#include <QList>
#include <QString>

class AlertPresenter;
class Day;
class Lesson;

// The time fields of the lesson settings panel. A new time goes to the one
// lesson or, when the teacher says so, to the same meeting of the course on
// every regular day with the same schedule.
class LessonTimeEditor {
public:
    struct DaysToChange {
        QList<Day*> days;
        // The teacher chose this lesson alone, which makes its day custom.
        bool onlyThisLesson = false;
    };

    explicit LessonTimeEditor(AlertPresenter& alerts);

    // Each takes the typed text and returns what the field shows afterwards:
    // the lesson's time in the short time style. Text that does not read as
    // a time, or a time within 30 seconds of the current one, changes nothing.
    QString changeStartTime(Lesson& lesson, const QString& typed);
    QString changeEndTime(Lesson& lesson, const QString& typed);

    // Asks whether to change this lesson only or all matching lessons.
    DaysToChange getDaysThatShouldBeChanged(const Lesson& lesson);

private:
    QString changeTime(Lesson& lesson, const QString& typed, QStringView key);
    void setTime(Lesson& lesson, Date time, QStringView key);
    QString question(const Lesson& lesson) const;

    AlertPresenter& m_alerts;
};
