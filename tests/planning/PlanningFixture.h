#pragma once

#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "schedule/CreateNewSemestraController.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <gtest/gtest.h>

// A Monday-to-Friday year from Tuesday 8 September 2026 to Friday 18 June
// 2027 with two courses, built through the wizard, and a log of what was
// posted. Built in America/New_York by the harness.
class PlanningFixture : public testing::Test {
protected:
    PlanningFixture() { year = buildYear(*context); }

    static Year* buildYear(ObjectContext& context)
    {
        ScriptedAlertPresenter alerts;
        CreateNewSemestraController wizard { context, alerts };
        wizard.setStartDate(local(2026, 9, 8));
        wizard.setEndDate(local(2027, 6, 18));
        for (int weekday = 1; weekday <= 5; ++weekday)
            wizard.setTeachingDay(weekday, true);
        wizard.addCourse(QStringLiteral("Math"));
        wizard.addCourse(QStringLiteral("Art"));
        wizard.setSchedule(NewYearPlan::Schedule::Traditional);
        EXPECT_EQ(wizard.continuePressed(), CreateNewSemestraController::Outcome::YearBuilt);
        return wizard.year();
    }

    Day* dayOn(int y, int m, int d) const { return year->getExactDayWithDate(local(y, m, d, 12)); }

    ~PlanningFixture() override
    {
        for (NotificationCenter::ObserverId id : logIds)
            NotificationCenter::defaultCenter().removeObserver(id);
    }

    void logNotifications(std::initializer_list<QString> names)
    {
        for (const QString& name : names)
            logIds.push_back(NotificationCenter::defaultCenter().addObserver(
                name, [this](const Notification& n) { posted << n.name; }));
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2026, 10, 14, 10) };
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    QStringList posted;
    std::vector<NotificationCenter::ObserverId> logIds;
};
