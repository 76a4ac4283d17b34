#include "foundation/color/ColorArchive.h"
#include "foundation/color/Colors.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/MyCourse.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <algorithm>
#include <numeric>

Course* Year::createCourseWithName(const QString& courseName)
{
    const QList<Course*> existing = myCourses();
    const int highest = std::accumulate(existing.begin(), existing.end(), -1,
        [](int number, const Course* course) { return std::max(number, course->courseNumber()); });
    auto* course = context().insert<MyCourse>(QStringLiteral("MyCourse"));
    course->setValue(u"courseName", courseName);
    course->setValue(u"courseNumber", highest + 1);
    course->setValue(u"colorData", ColorArchive::archive(Colors::defaultCourseColor()));
    course->setDate(u"latestUploadDate", startDate());
    course->setValue(u"draw", 1);
    course->setValue(u"publish", 1);
    course->setObject(u"year", this);
    return course;
}

// A traditional year says every course meets every day; only a weekly
// schedule can hold the times of a course that does not.
void Year::noteCourseMeetsOnlySomeDays()
{
    if (typeOfSchedule() == Traditional)
        setValue(u"typeOfSchedule", WeeklyRepeating);
}

// Every lesson goes, not only those on the days a sheet listed: a lesson
// left behind would point at a deleted course.
void Year::removeCourse(Course* course)
{
    for (Lesson* lesson : course->lessons()) {
        if (Day* day = lesson->dayTaught())
            day->removeLesson(lesson);
        else
            context().deleteObject(lesson);
    }
    course->addToDeleteStack();
    course->setObject(u"year", nullptr);
    course->deleteAllUnits();
    context().deleteObject(course);
}
