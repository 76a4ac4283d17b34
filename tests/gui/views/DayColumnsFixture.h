#pragma once

#include "HandBuiltYear.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/notify/ObserverBag.h"
#include "foundation/richtext/RichText.h"
#include "gui/views/DayColumnsLayout.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/TemporaryPreferences.h"

#include <QApplication>

#include <gtest/gtest.h>

// One school week, Monday 2 to Friday 6 November 2026, with a course of each
// kind: Mathematics and History are drawn, Band is hidden.
// Monday: History 10-11 (entered first) and Mathematics 8-9.
// Tuesday: a holiday whose name has stray spaces.
// Wednesday: only a Band lesson. Thursday: no lessons.
// Friday: Mathematics 8-9:30 overlapping History 9-10, and Band 9-10.
class DayColumnsFixture : public testing::Test, protected HandBuiltYear {
protected:
    struct Posted {
        QString name;
        NotificationSource* object = nullptr;
    };

    DayColumnsFixture()
    {
        m_year = insert<Year>("Year");
        m_year->setDate(u"startDate", november(2));
        m_year->setDate(u"endDate", november(6));
        m_year->setValue(u"showTeacher", true);
        m_year->setValue(u"showHomework", true);
        m_year->setValue(u"lessonBodyTitle", QStringLiteral("Plan"));
        m_year->setValue(u"homeworkTitle", QStringLiteral("Homework"));
        m_year->setValue(u"custom1Title", QStringLiteral("Materials"));
        m_week = insert<Week>("Week");
        m_week->setValue(u"weekNumber", 1);
        m_week->setObject(u"year", m_year);
        math = course("Mathematics", QColor(0x1f, 0x5f, 0xbf), true);
        history = course("History", QColor(0xc0, 0x39, 0x2b), true);
        band = course("Band", QColor(0x27, 0xae, 0x60), false);
        for (int date = 2; date <= 6; ++date)
            day(date);
        mondayHistory = lesson(history, day(2), { 10, 0 }, { 11, 0 }, QStringLiteral("The Revolution"));
        mondayMath = lesson(math, day(2), { 8, 0 }, { 9, 0 }, QStringLiteral("Fractions"));
        day(3)->setValue(u"isHoliday", true);
        day(3)->setValue(u"holidayName", QStringLiteral("  Veterans Day \n"));
        lesson(band, day(4), { 9, 0 }, { 10, 0 }, QStringLiteral("Scales"));
        fridayMath = lesson(math, day(6), { 8, 0 }, { 9, 30 }, QStringLiteral("Decimals"));
        fridayHistory = lesson(history, day(6), { 9, 0 }, { 10, 0 }, QStringLiteral("Napoleon"));
        lesson(band, day(6), { 9, 0 }, { 10, 0 }, QStringLiteral("Rehearsal"));
    }

    static Date november(int date, int hour = 0, int minute = 0) { return local(2026, 11, date, hour, minute); }

    Day* day(int date)
    {
        if (Day* existing = m_year->getExactDayWithDate(november(date)))
            return existing;
        auto* created = insert<Day>("Day");
        created->setDate(u"actualDate", november(date));
        created->setObject(u"week", m_week);
        return created;
    }

    struct WallClock {
        int hour;
        int minute;
    };

    Lesson* lesson(Course* of, Day* on, WallClock start, WallClock end, const QString& title)
    {
        auto* created = insert<Lesson>("Lesson");
        const DateComponents date = LocalCalendar::components(on->actualDate());
        created->setDate(u"startTime", local(date.year, date.month, date.day, start.hour, start.minute));
        created->setDate(u"endTime", local(date.year, date.month, date.day, end.hour, end.minute));
        created->setValue(u"lessonTitle", title);
        created->setObject(u"course", of);
        created->setObject(u"dayTaught", on);
        return created;
    }

    static void setField(Lesson* lesson, const char16_t* key, const QString& text)
    {
        lesson->setValue(key, RichText::fromPlainText(text));
    }

    // Monday gets `count` more Mathematics lessons on the hour from 11:00,
    // each with a plan of several lines: more than a short view shows.
    QList<Lesson*> crowdMonday(int count)
    {
        QList<Lesson*> added;
        for (int hour = 11; hour < 11 + count; ++hour) {
            added << lesson(math, day(2), { hour, 0 }, { hour, 50 }, QStringLiteral("Period %1").arg(hour));
            setField(added.last(), u"lessonBody", QStringLiteral("Work through the examples together. ").repeated(5));
        }
        return added;
    }

    DayColumnsLayout::Options weekOptions() const
    {
        DayColumnsLayout::Options options = DayColumnsLayout::Options::fromPreferences();
        options.headings = DayColumnsLayout::Headings::OpenDayTools;
        return options;
    }

    DayColumnsLayout::Options timeGridOptions() const
    {
        DayColumnsLayout::Options options = weekOptions();
        options.timeGrid
            = DayColumnsLayout::TimeSpan { m_week->earliestLessonStartTime(), m_week->latestLessonEndTime() };
        return options;
    }

    DayColumnsLayout layout(const DayColumnsLayout::Options& options, QSizeF size = { 1000, 700 })
    {
        DayColumnsLayout result(m_year, m_week->daysInOrder(), options, QApplication::font(), boxTexts);
        result.setGeometry(size.width(), size.height());
        return result;
    }

    // The column of the November date; the week's days are Monday 2 to Friday 6.
    static const DayColumnsLayout::DayColumn& columnOn(const DayColumnsLayout& layout, int date)
    {
        return layout.columns().at(date - 2);
    }

    void observePosts()
    {
        for (const QString& name : { QStringLiteral("SemestraLessonClicked"),
                 QStringLiteral("SemestraLessonSettingsClicked"), QStringLiteral("SemestraLessonDoubleClicked"),
                 QStringLiteral("SemestraNoLessonsClicked"), QStringLiteral("SemestraNonSchoolSettingsClicked"),
                 QStringLiteral("SemestraClearSelectedLesson"), QStringLiteral("SemestraSwitchToDayTools") })
            m_observers.observe(name, nullptr, [this](const Notification& n) {
                m_posted.push_back({ n.name, n.object });
            });
    }

    TemporaryPreferences preferences;
    LessonBoxCache boxTexts;
    FixedClock clock { november(4, 12) };
    Week* m_week;
    Course* math;
    Course* history;
    Course* band;
    Lesson* mondayHistory;
    Lesson* mondayMath;
    Lesson* fridayMath;
    Lesson* fridayHistory;
    std::vector<Posted> m_posted;
    ObserverBag m_observers;
};
