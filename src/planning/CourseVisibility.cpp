#include "planning/CourseVisibility.h"

#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

namespace CourseVisibility {

void showCourses(Year& year, Shown shown)
{
    for (Course* course : year.courses())
        course->setValue(QStringLiteral("draw"), shown == Shown::All ? 1 : 0);
    NotificationCenter::defaultCenter().post(PlanningNotifications::coursesToDrawChanged);
}

} // namespace CourseVisibility
