#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

void Day::wipe()
{
    for (Lesson* lesson : lessonsInOrder())
        lesson->wipe();
}

Day* Day::shiftLessonsBeforeCreatingHoliday()
{
    Year* owner = year();
    if (!owner)
        return nullptr;
    const QList<Day*> schoolDays = owner->getDaysIncludingAndAfter(this);
    // Only a school day starts the shift; from any other day it would empty
    // the next school day for nothing.
    if (schoolDays.isEmpty() || schoolDays.first() != this)
        return nullptr;
    schoolDays.last()->removeAllLessons();
    for (qsizetype i = schoolDays.size() - 1; i >= 1; --i) {
        schoolDays[i]->shiftLessonsFrom(schoolDays[i - 1]);
        schoolDays[i]->takeInformationFrom(schoolDays[i - 1]);
    }
    return schoolDays.size() >= 2 ? schoolDays[1] : nullptr;
}

// The records move with their content, locks, identifiers and positions;
// only their date changes.
void Day::shiftLessonsFrom(Day* other)
{
    if (other == this)
        return;
    while (!other->lessons().isEmpty()) {
        Lesson* lesson = other->lessons().first();
        lesson->setObject(u"dayTaught", this);
        lesson->fixUpTimes();
        lesson->updateLastUpdatedForAllSubordinates();
    }
}

void Day::takeInformationFrom(const Day* other)
{
    if (other->isCustomDay()) {
        setValue(u"holidayName", other->value(u"holidayName"));
        setValue(u"isCustom", true);
    } else {
        setValue(u"isCustom", false);
    }
    for (const char16_t* key : { u"typeOfDay", u"notes", u"iCalUIDNotes", u"iCalUIDNonSchool" })
        setValue(key, other->value(key));
    updateTime();
}

void Day::removeLesson(Lesson* lesson)
{
    lesson->clearAssignments();
    lesson->releaseWorkDueBeforeRemoval();
    lesson->wipe();
    lesson->addToYearDeleteStack();
    lesson->setObject(u"dayTaught", nullptr);
    lesson->setObject(u"course", nullptr);
    context().deleteObject(lesson);
}

void Day::removeAllLessons()
{
    std::optional<Year::DeleteStackBatch> deletions;
    if (Year* owner = year())
        deletions.emplace(*owner);
    updateTime();
    for (Lesson* lesson : lessons())
        removeLesson(lesson);
}
