#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "store/ObjectContext.h"

Lesson* Day::addLessonInCourse(Course* course)
{
    auto* lesson = context().insert<Lesson>(QStringLiteral("Lesson"));
    lesson->setObject(u"course", course);
    lesson->setValue(u"lessonPosition", int(lessons().size()));
    lesson->setObject(u"dayTaught", this);
    const Date start = Date::now().timeOnDate(actualDate());
    lesson->setDate(u"startTime", start);
    lesson->setDate(u"endTime", start.addingSeconds(3600));
    updateTime();
    return lesson;
}

void Day::removeLessonInCourse(const Course* course)
{
    const QList<Lesson*> inCourse = lessonsInCourse(course);
    if (inCourse.isEmpty())
        return;
    updateTime();
    for (Lesson* lesson : inCourse)
        removeLesson(lesson);
}
