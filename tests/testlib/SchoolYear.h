#pragma once

#include "schedule/CreateNewSemestraController.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"

#include <gtest/gtest.h>

// A traditional Monday-to-Friday year from Tuesday 8 September 2026 to Friday
// 18 June 2027, built through the wizard the way a teacher builds one.
// Binaries that use it link the schedule library.
inline Year* buildSchoolYear(
    ObjectContext& context, const QStringList& courses = { QStringLiteral("Math"), QStringLiteral("Art") })
{
    ScriptedAlertPresenter alerts;
    CreateNewSemestraController wizard(context, alerts);
    wizard.setStartDate(local(2026, 9, 8));
    wizard.setEndDate(local(2027, 6, 18));
    for (int weekday = 1; weekday <= 5; ++weekday)
        wizard.setTeachingDay(weekday, true);
    for (const QString& course : courses)
        wizard.addCourse(course);
    EXPECT_EQ(wizard.continuePressed(), CreateNewSemestraController::Outcome::YearBuilt);
    return wizard.year();
}
