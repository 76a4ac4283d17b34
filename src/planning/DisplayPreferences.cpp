#include "planning/DisplayPreferences.h"

#include "foundation/notify/NotificationCenter.h"
#include "foundation/prefs/Preferences.h"
#include "planning/PlanningNotifications.h"

namespace DisplayPreferences {

namespace {

void redrawPlanningViews()
{
    // The preferences are the user's, not a document's: every open window
    // redraws, so the notification carries no object.
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh);
}

} // namespace

const QStringList& toggles()
{
    static const QStringList keys { showDaysVertically, showDaysWithTimes, showNotesView, useFixedFontSize,
        rotatingNumbers, showAssignmentsInLessonViews, alwaysShowLessonTimes };
    return keys;
}

void toggle(const QString& key)
{
    Preferences::shared().toggle(key);
    redrawPlanningViews();
}

void setFlag(const QString& key, bool on)
{
    Preferences::shared().setValue(key, on);
    redrawPlanningViews();
}

void setFixedFontSize(double pointSize)
{
    Preferences::shared().setValue(fixedFontSize, pointSize);
    redrawPlanningViews();
}

} // namespace DisplayPreferences
