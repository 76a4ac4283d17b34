#pragma once

#include "ScheduleFixture.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"

// Years to change the calendar of: built through the wizard, with helpers to
// fill lessons and to read the plan back as plain values.
class CalendarFixture : public ScheduleFixture {
protected:
    using Schedule = NewYearPlan::Schedule;

    CalendarFixture()
    {
        m_observer = NotificationCenter::defaultCenter().addScopedObserver(
            QString(), context.get(), [this](const Notification& n) {
                if (n.scope() == context.get())
                    posted << n.name;
            });
    }
    ~CalendarFixture() override { NotificationCenter::defaultCenter().removeObserver(m_observer); }

    // A rotating year, Monday to Friday; ticks[i] lists the day types
    // (from "0") on which course i meets.
    void buildRotating(Date start, Date end, int length, const QList<QStringList>& ticks)
    {
        fillIn(start, end, courseNames(ticks.size()), Schedule::Rotating);
        wizard.setRotationLength(length);
        ASSERT_EQ(wizard.continuePressed(), CreateNewSemestraController::Outcome::ShowCourseSelection);
        tick(ticks);
        ASSERT_EQ(wizard.createPressed(), CreateNewSemestraController::Outcome::YearBuilt);
    }

    // A weekly repeating year; ticks[i] lists full weekday names.
    void buildWeekly(Date start, Date end, const QList<QStringList>& ticks)
    {
        fillIn(start, end, courseNames(ticks.size()), Schedule::WeeklyRepeating);
        ASSERT_EQ(wizard.continuePressed(), CreateNewSemestraController::Outcome::ShowCourseSelection);
        tick(ticks);
        ASSERT_EQ(wizard.createPressed(), CreateNewSemestraController::Outcome::YearBuilt);
    }

    void buildTraditional(Date start, Date end, int courses)
    {
        fillIn(start, end, courseNames(courses), Schedule::Traditional);
        ASSERT_EQ(wizard.continuePressed(), CreateNewSemestraController::Outcome::YearBuilt);
    }

    Year& year() const { return *wizard.year(); }
    Day& dayOn(int y, int m, int d) const { return *year().getExactDayWithDate(local(y, m, d)); }
    Course* course(int index) const { return year().getCourseWithName(courseNames(index + 1).last()); }
    QList<Day*> schoolDays() const { return year().getDaysIncludingAndAfter(year().getFirstDay()); }

    // Gives every lesson of the days a title naming its course and day, and
    // every day a note.
    static void fillTitles(const QList<Day*>& days)
    {
        for (Day* day : days) {
            day->setValue(u"notes", QStringLiteral("note ") + day->mediumDateString());
            for (Lesson* lesson : day->lessons())
                lesson->setValue(u"lessonTitle", lesson->courseName() + QLatin1Char(' ') + day->mediumDateString());
        }
    }

    // A day read back as plain values: type, custom flag, notes and each
    // lesson's course and title in order.
    static QStringList picture(const Day& day)
    {
        QStringList values { QString::number(day.typeOfDay()), day.isCustom() ? QStringLiteral("custom") : QString(),
            day.notes() };
        for (const Lesson* lesson : day.lessonsInOrder())
            values << lesson->courseName() + QLatin1Char('=') + lesson->lessonTitle();
        return values;
    }

    static QList<QStringList> pictures(const QList<Day*>& days)
    {
        QList<QStringList> result;
        for (const Day* day : days)
            result << picture(*day);
        return result;
    }

    static QList<int> types(const QList<Day*>& days)
    {
        QList<int> result;
        for (const Day* day : days)
            result << day->typeOfDay();
        return result;
    }

    static QStringList titlesOn(const Day& day)
    {
        QStringList titles;
        for (const Lesson* lesson : day.lessonsInOrder())
            titles << lesson->lessonTitle();
        return titles;
    }

    static bool isLocalMidnight(Date date) { return date.midnightDate() == date; }

    QStringList posted;

private:
    NotificationCenter::ObserverId m_observer;

    static QStringList courseNames(qsizetype count)
    {
        QStringList names;
        for (qsizetype i = 0; i < count; ++i)
            names << QStringLiteral("Course%1").arg(QChar(char16_t(u'A' + i)));
        return names;
    }

    void tick(const QList<QStringList>& ticks)
    {
        for (qsizetype row = 0; row < ticks.size(); ++row) {
            for (const QString& column : ticks.at(row))
                wizard.courseSelection().setTicked(row, column, true);
        }
    }
};
