#pragma once

#include "foundation/dates/LocalCalendar.h"
#include "foundation/random/RandomSource.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "schedule/CreateNewSemestraController.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"

#include <gtest/gtest.h>

// A fresh document, a fixed clock and a scripted alert presenter, with a
// wizard on them and helpers to fill it in. Dates are local (the harness
// runs in America/New_York).
class ScheduleFixture : public testing::Test {
protected:
    ScheduleFixture() { RandomSource::shared().seed(7); }

    static DateComponents parts(Date date) { return LocalCalendar::components(date); }

    // Monday to Friday, the given courses, the given range.
    void fillIn(Date start, Date end, const QStringList& courses, NewYearPlan::Schedule schedule)
    {
        wizard.setStartDate(start);
        wizard.setEndDate(end);
        for (int weekday = 1; weekday <= 5; ++weekday)
            wizard.setTeachingDay(weekday, true);
        for (const QString& course : courses)
            wizard.addCourse(course);
        wizard.setSchedule(schedule);
    }

    void expectLastAlert(const QString& title, const QString& message, const QString& button) const
    {
        ASSERT_FALSE(alerts.shown().isEmpty());
        EXPECT_EQ(alerts.last().title, title);
        EXPECT_EQ(alerts.last().message, message);
        EXPECT_EQ(alerts.last().defaultButton, button);
    }

    QList<Day*> days() const { return wizard.year()->getAllDaysOrderedAscending(); }

    static QStringList courseNamesOn(const Day& day)
    {
        QList<Lesson*> lessons = day.lessons();
        std::sort(lessons.begin(), lessons.end(),
            [](const Lesson* a, const Lesson* b) { return a->lessonPosition() < b->lessonPosition(); });
        QStringList names;
        for (const Lesson* lesson : lessons)
            names << lesson->courseName();
        return names;
    }

    // Gives the lesson a meeting from hour:minute for the given minutes on its day.
    static void meet(Lesson& lesson, int hour, int minute, int minutes)
    {
        const Date start = LocalCalendar::timeOnDay(local(2000, 1, 1, hour, minute), lesson.dayTaught()->actualDate());
        lesson.setDate(u"startTime", start);
        lesson.setDate(u"endTime", start.addingSeconds(minutes * 60.0));
    }

    // "none" for a meeting time that was never set.
    static QString clockTime(std::optional<Date> time)
    {
        if (!time)
            return QStringLiteral("none");
        const DateComponents c = parts(*time);
        return QStringLiteral("%1:%2").arg(c.hour).arg(c.minute, 2, 10, QLatin1Char('0'));
    }

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    FixedClock clock { local(2026, 8, 20, 10) };
    ScriptedAlertPresenter alerts;
    CreateNewSemestraController wizard { *context, alerts };
};
