#pragma once

#include "model/SyncedRecord.h"

class Course;
class Lesson;
struct DaySchedule;
class Week;
class Year;

// One calendar day of the schedule, identified by its local midnight.
class Day : public SyncedRecord {
    // Every ordering of lessons reads it for each lesson's day.
    static inline const PropertyKey actualDateKey { u"actualDate" };

public:
    using SyncedRecord::SyncedRecord;

    Date actualDate() const { return requiredDate(actualDateKey); }
    bool isHoliday() const { return value<bool>(u"isHoliday"); }
    bool isCancelled() const { return value<bool>(u"isCancelled"); }
    bool isCustom() const { return value<bool>(u"isCustom"); }
    int typeOfDay() const { return value<int>(u"typeOfDay"); }
    QString holidayName() const { return value<QString>(u"holidayName"); }
    QString notes() const { return value<QString>(u"notes"); }

    bool isNonSchoolDay() const { return isHoliday() || isCancelled(); }
    bool isCustomDay() const { return !isNonSchoolDay() && isCustom(); }
    bool notesHasData() const { return !notes().isEmpty(); }
    // The notes as written, for a calendar event's title.
    QString strippedNotes() const { return notes(); }
    // The notes as unstyled rich text (RTF); setting it keeps only the text.
    QByteArray attributedNotes() const;
    void setAttributedNotes(const QByteArray& rtf);

    Week* week() const;
    Year* year() const;
    QList<Lesson*> lessons() const;

    // Display forms of the day, in the current locale.
    int dayOfWeek() const;
    QString dayOfMonth() const;
    QString nameOfMonth() const;
    QString weekDayName() const;
    QString shortWeekDayName() const;
    QString dateForDayView() const;
    QString dateForAssignmentsPopUp() const;
    QString dayOfWeekMonthDay() const;
    QString shortDateString() const;
    QString mediumDateString() const;
    QString mediumLongDateString() const;
    QString longDateString() const;
    QString typeOfDayLetter() const;
    // The day type as a letter or, when the user prefers, a number.
    QString rotationString() const;

    // Schedule queries. Drawn lessons are those of courses shown in the
    // planning views.
    enum class Content { WithData, WithoutData };

    QList<Lesson*> lessonsInOrder() const;
    // Drawn lessons by start time, then course name.
    QList<Lesson*> lessonsToDrawInOrder() const;
    QList<Lesson*> allLessonsToDraw() const { return lessonsToDrawInOrder(); }
    Lesson* firstVisibleLesson() const;
    QList<Lesson*> allLessons() const { return lessons(); }
    // A course may meet more than once a day: its lessons by start time.
    QList<Lesson*> lessonsInCourse(const Course* course) const;
    Lesson* lessonInCourse(const Course* course, int atIndex) const;
    // The lesson's meeting index among its course's lessons of the day; 0 when absent.
    int positionOfLesson(const Lesson* lesson) const;
    bool hasLessonInCourse(const Course* course) const;
    bool containsLessonInCourse(const Course* course) const { return hasLessonInCourse(course); }
    bool containsLessonWithData() const;
    // Earliest start and latest end among drawn lessons, on this day's date.
    std::optional<Date> earliestLessonStartTime() const;
    std::optional<Date> latestLessonEndTime() const;
    // The latest earlier lesson of the course with data, on or after `afterDate`.
    Lesson* findPreviousLessonInCourse(const Course* course, Date afterDate) const;
    // The first later lesson of the course up to `beforeDate` whose having
    // data matches `content`.
    Lesson* findNextLessonInCourse(const Course* course, Date beforeDate, Content content = Content::WithData) const;
    // The drawn lesson under `time`, else the next one to start, else the first.
    Lesson* getLessonThatStartsClosestTo(Date time) const;
    // Side-by-side layout: the lesson's column among the drawn lessons that
    // overlap it, and the number of columns the overlapping group needs (0
    // when nothing overlaps it).
    int positionAmongThoseSharingSameTimeOfLesson(const Lesson* lesson) const;
    int lessonsMeetingAtSameTimeAs(const Lesson* lesson) const;

    // Moving content.
    // Empties every lesson of the day; the slots stay.
    void wipe();
    // Before this school day becomes a holiday, every later school day takes
    // the lessons and schedule information of the one before it. Returns the
    // school day after this one, if any.
    Day* shiftLessonsBeforeCreatingHoliday();
    // Moves every lesson record of `other` to this day, keeping times of day.
    void shiftLessonsFrom(Day* other);
    // Takes the other day's custom schedule, day type, notes and calendar identifiers.
    void takeInformationFrom(const Day* other);
    // Deletes one lesson slot, its assignments and content.
    void removeLesson(Lesson* lesson);
    void removeAllLessons();

    // Calendar changes. A holiday lets the rest of the rotation slide one
    // school day later; a cancelled day uses up its place in the rotation.
    void turnIntoHoliday();
    void turnIntoCancelledDay();
    // Makes a non-school day a school day again. False, with nothing
    // changed, when the year has no school day left to copy the bells of.
    bool restoreNonSchoolDay();
    // Adds empty slots in the template's courses, slot order and meeting
    // times, and takes its day type and custom flag. Lessons already on the
    // day stay.
    void makeDayLikeDay(const Day* templateDay);
    void makeDayLike(const DaySchedule& schedule);
    // Gives the year's last school day the empty slots of the next day type.
    // False, with nothing changed, when there is no day to copy.
    bool makeLastDay();
    // A new slot at the current time of day, an hour long but never past the
    // end of this day.
    Lesson* addLessonInCourse(Course* course);
    // The display title of a non-school day.
    QString holidayTitle() const;
    // The title with its double quotes escaped, as calendar files want it.
    QString holidayStripped() const;

    // Custom days.
    QString customDayName() const;
    // "Custom Day n" with the smallest n not in use.
    QString newCustomName() const;
    bool customDayExistsWithName(const QString& name) const;
    // Deletes every lesson of the course on this day.
    void removeLessonInCourse(const Course* course);
    // Rebuilds the day, empty, with the bells of another day type (rotating
    // years) or another weekday (the others); false, with nothing changed,
    // when no other regular day of that type or weekday exists to copy.
    bool convertToDayType(int type);
    bool convertToWeekday(const QString& weekdayName);

protected:
    const QStringList& keysThatUpdateTime() const override;

private:
    QList<Lesson*> drawnLessonsOverlapping(const Lesson* lesson) const;
    bool restoreInPlace(const Year& owner);
    bool restoreSlidingRotationBack(const Year& owner);
    // The type after this day's in the rotation, and a day to copy its
    // bells from (a day like this one in a year that does not rotate).
    int nextDayType() const;
    const Day* nextTypeTemplate() const;
    void becomeLastDayLike(const DaySchedule& schedule);
};
