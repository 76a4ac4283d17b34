#pragma once

#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"
#include "testlib/TemporaryPreferences.h"

#include <gtest/gtest.h>

// The shared school year with two courses, a fixed today in its autumn, and a
// log of what was posted.
class PlanningFixture : public testing::Test {
protected:
    PlanningFixture() { year = buildSchoolYear(*context); }

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
