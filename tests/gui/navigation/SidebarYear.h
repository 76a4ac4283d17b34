#pragma once

#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "schedule/YearBuilder.h"
#include "store/ObjectContext.h"
#include "testlib/LocalDate.h"

#include <memory>

// A document with a Monday-to-Friday year from Monday 31 August to Friday
// 20 November 2026: Biology (units Cells and Ecology), World History (unit
// Rome) and Art (no units), built the way the new-year wizard builds one.
// Monday 12 October is a holiday.
struct SidebarYear {
    SidebarYear()
    {
        NewYearPlan plan;
        plan.startDate = local(2026, 8, 31);
        plan.endDate = local(2026, 11, 20);
        plan.teachingDays = { false, true, true, true, true, true, false };
        plan.courseNames = { QStringLiteral("Biology"), QStringLiteral("World History"), QStringLiteral("Art") };
        year = YearBuilder(*context, plan).build();
        biology = year->getCourseWithName(QStringLiteral("Biology"));
        history = year->getCourseWithName(QStringLiteral("World History"));
        art = year->getCourseWithName(QStringLiteral("Art"));
        biology->setColor(QColor(0x2e, 0x86, 0xc1));
        history->setColor(QColor(0xc0, 0x39, 0x2b));
        art->setColor(QColor(0x8e, 0x44, 0xad));
        ecology = biology->addUnitWithName(QStringLiteral("Ecology"));
        cells = biology->addUnitWithName(QStringLiteral("Cells"));
        rome = history->addUnitWithName(QStringLiteral("Rome"));
        Day* columbusDay = day(10, 12);
        columbusDay->setValue(u"isHoliday", true);
        columbusDay->setValue(u"holidayName", QStringLiteral("Columbus Day"));
    }

    Day* day(int month, int dayOfMonth) const { return year->getExactDayWithDate(local(2026, month, dayOfMonth)); }
    Lesson* lesson(const Course* course, int month, int dayOfMonth) const
    {
        return day(month, dayOfMonth)->lessonsInCourse(course).value(0);
    }

    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    Course* biology = nullptr;
    Course* history = nullptr;
    Course* art = nullptr;
    Unit* ecology = nullptr;
    Unit* cells = nullptr;
    Unit* rome = nullptr;
};
