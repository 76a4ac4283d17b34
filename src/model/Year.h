#pragma once

#include "model/CourseOrder.h"
#include "model/DeleteStackEntries.h"
#include "store/ManagedObject.h"

#include <QHash>
#include <QSet>
#include <QStringList>
#include <QVariantMap>

#include <functional>

class AssignedFile;
class AttachedFile;
class Course;
class Day;
class Lesson;
class LessonReportInformation;
class PublishInfo;
class Standard;
class Unit;
class Week;

// The school year a document holds: its dates, schedule type, field labels
// and the collections of courses, weeks, units and standards.
class Year : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    enum ScheduleType { Traditional = 0, WeeklyRepeating = 1, Rotating = 2 };

    Date startDate() const { return requiredDate(u"startDate"); }
    Date endDate() const { return requiredDate(u"endDate"); }
    int typeOfSchedule() const { return value<int>(u"typeOfSchedule"); }
    int repeatInterval() const { return value<int>(u"repeatInterval"); }
    bool isNonRotating() const { return typeOfSchedule() < Rotating; }

    QList<Course*> myCourses() const;
    QList<Week*> weeks() const;
    PublishInfo* publish() const;
    // The report settings, created on first use starting and ending at the
    // year's start date.
    LessonReportInformation* lessonReportInformation();
    LessonReportInformation* reportInformation() { return lessonReportInformation(); }

    // Records deleted after being sent to the online service, to be deleted
    // there too: "syncID:type," entries kept in teacherPhone.
    QString deleteStack() const { return value<QString>(u"teacherPhone"); }
    // Adds the record's entry unless it has no identifier or the stack holds
    // that entry already. Whole entries are compared: "12:lesson," is not
    // held by "112:lesson,".
    void addObjectToDeleteStack(const ManagedObject& object, const QString& type);

    // While a batch is open, entries are gathered and written to the stack
    // once, when it closes: moving content through a course deletes
    // thousands of records, and appending each entry to the stored text would
    // copy the whole text every time. Batches nest; the outermost one writes.
    class DeleteStackBatch {
    public:
        explicit DeleteStackBatch(Year& year);
        ~DeleteStackBatch();
        DeleteStackBatch(const DeleteStackBatch&) = delete;
        DeleteStackBatch& operator=(const DeleteStackBatch&) = delete;

    private:
        friend class Year;
        void add(QStringView syncID, QStringView type);

        Year& m_year;
        const bool m_outermost;
        // The stack's entries, read when the first entry is added.
        std::optional<DeleteStackEntries> m_entries;
        bool m_grew = false;
    };

    // Schedule queries. A document holds one year, so a query over all days
    // or all lessons covers the whole store. A school day is neither a
    // holiday nor cancelled; a custom day is a school day with its own bells.
    enum class Custom { Excluded, Included };
    enum class Notes { UpdatedSinceCalendarSync, All };
    enum class Relative { BeforeLesson, AfterLesson };

    QList<Day*> getAllDaysOrderedAscending() const;
    Day* getFirstDay() const;
    Day* getLastDay() const;
    // The day on the calendar day of `date`, if the schedule has one.
    Day* getExactDayWithDate(Date date) const;
    QList<Day*> getAllDaysBefore(Date date) const;
    QList<Day*> getAllDaysAfter(Date date) const;
    // The nearest day on or after `date`, kept within the year's first and last day.
    Day* getDayWithDate(Date date) const;
    Week* getWeekWithDate(Date date) const;
    // Days between the two instants as given, both included, in date order.
    QList<Day*> getDaysAfterDate(Date first, Date untilDate) const;
    // The neighbouring day of any kind; the day itself at either end.
    Day* getDayAfter(const Day* day) const;
    Day* getDayBefore(const Day* day) const;
    // School days from the given day's date on, in date order.
    QList<Day*> getDaysIncludingAndAfter(const Day* day) const;
    QList<Day*> nonSchoolDays() const;
    QList<Day*> getAllCustomDays() const;
    QList<Day*> getAllDaysIncludingCustom(Custom custom) const;
    QList<Day*> getOneDayCanBeCustom(Custom custom) const;
    QList<Day*> getDaysWithUpdatedNotes(Notes notes) const;

    // School days by full weekday name ("Monday") or by rotation day type.
    // The single-day forms pick one matching day at random: callers want any
    // typical Monday or B day as a representative.
    QList<Day*> getAllDaysWithDayOfWeek(const QString& weekdayName, Custom includingCustom) const;
    Day* getDayWithDayOfWeek(const QString& weekdayName, Custom canBeCustom) const;
    // For each weekday name, whether the first week has a day of that name.
    QHash<QString, bool> getDaysInWeek() const;
    QList<Day*> getOneDayOfEachDayInWeekCanBeCustom(Custom custom) const;
    QList<Day*> getAllDaysWithType(int typeOfDay, Custom includingCustom) const;
    Day* getDayWithType(int typeOfDay, Custom canBeCustom) const;
    QList<Day*> getOneDayOfEachDayInRotationCanBeCustom(Custom custom) const;
    // The non-custom school days that share the day's schedule: all of them
    // in a traditional year, the same weekday or the same day type otherwise.
    QList<Day*> getAllDaysLike(const Day* day) const;
    // A random non-custom day with the day's weekday (day type in a rotating
    // year); may be the day itself.
    Day* getDayLikeDay(const Day* day) const;
    // The days getDayLikeDay draws from.
    QList<Day*> candidatesLikeDay(const Day* day) const;
    // A day to copy the bells of for a day on `date` that is being rebuilt:
    // one of the candidates at random, never `rebuilt` itself; without one,
    // a non-custom school day of the same weekday, then any other school
    // day. Nothing when the year has no other school day.
    Day* templateDay(QList<Day*> candidates, Date date, const Day* rebuilt) const;
    // One of the candidates at random, never `rebuilt` itself; nothing
    // without one. For a day that will be labelled by what it copies.
    Day* exactTemplateDay(QList<Day*> candidates, const Day* rebuilt) const;

    QList<Week*> weeksInOrder() const;
    // Callers rely on the offset: n gives the week numbered n - 1 (the first
    // week for n below 2, the last when there is no such week), so the week
    // before week k is fetched with k and the one after it with k + 2.
    Week* getWeekWithWeekNumber(int weekNumber) const;
    Week* getFirstWeek() const;
    Week* getLastWeek() const;

    // Courses by courseNumber.
    QList<Course*> courses() const;
    QList<Course*> allCoursesInAlphabeticalOrder() const { return courses(); }
    Course* getCourseWithName(const QString& courseName) const;
    // A new course with no lessons yet, numbered after every course in use so
    // that numbers never repeat after a removal, drawn and published.
    Course* createCourseWithName(const QString& courseName);
    // Called when a course was added to or removed from some days only: a
    // traditional year becomes weekly repeating.
    void noteCourseMeetsOnlySomeDays();
    // Takes the course out of the year with every lesson it still has (on
    // any day), its units, and its delete-stack entries.
    void removeCourse(Course* course);
    QList<Lesson*> getAllLessons() const;
    // Every file record of lessons, and of assignments.
    QList<AttachedFile*> getAllAttachedFiles() const;
    QList<AssignedFile*> getAllAssignedFiles() const;
    // The lessons' files, then the assignments' files, that no longer exist
    // at their path.
    QList<AttachedFile*> getAllMissingFiles() const;
    // Points every file record (of lessons and assignments) that names
    // `oldPath` at `newPath`; answers the records changed.
    QList<AttachedFile*> relinkFiles(const QString& oldPath, const QString& newPath);
    Lesson* getLessonWithData() const;
    QList<Lesson*> customLessonsInCourse(const Course* course) const;
    QList<Day*> getAllDaysWithCourse(const Course* course, Custom includingCustom) const;
    // The lessons of the lesson's course up to its day (latest day first, the
    // whole day included), or from it on in course order (same-day lessons
    // starting earlier left out; the lesson itself first).
    QList<Lesson*> getLessonsInCourse(Relative relative, const Lesson* lesson) const;
    // The course's lessons after the day of `afterDate` up to and including
    // the day of `beforeDate`, in course order.
    QList<Lesson*> getLessonsInCourse(const Course* course, Date afterDate, Date beforeDate) const;
    QList<Unit*> allUnits() const;
    QList<Standard*> allStandards() const;
    Standard* getStandardWithShortName(const QString& shortName, const QString& text) const;
    // A lesson text field and the year's keys for it: whether the planning
    // views show the field and whether its editor is expanded.
    struct FieldFlagKeys {
        QString field;
        QString showKey;
        QString expandedKey;
    };
    // The six fields, in display order.
    static const QList<FieldFlagKeys>& lessonFieldFlagKeys();
    // Keys of the lesson text fields the teacher shows, in display order.
    QStringList visibleFields() const;
    // The teacher's label for a lesson text field, kept under the field's key
    // followed by "Title".
    QString fieldTitle(const QString& fieldKey) const { return value<QString>(fieldKey + QStringLiteral("Title")); }
    // Records by their row key, the key an exchange file refers to them by.
    Course* getCourseWithPrimaryKey(qint64 key) const;
    Standard* getStandardWithPrimaryKey(qint64 key) const;
    Unit* getUnitWithPrimaryKey(qint64 key) const;
    Lesson* getLessonWithPrimaryKey(qint64 key) const;

    // Moving content through the slots of a course. Anchored (locked) slots
    // keep their content and are stepped over.
    // Whether the bumped lesson's own slot stays in the plan or is about to
    // be removed; a slot that goes away moves its content on even when locked.
    enum class BumpedSlot { Stays, GoesAway };
    // Pushes the content of the lesson and of every later movable lesson of
    // its course one slot later; the last content falls off the end.
    void bumpLesson(Lesson* lesson, BumpedSlot slot = BumpedSlot::Stays);
    // Bumps every lesson of a day that is about to stop being a school day.
    void bumpAllLessonsOnDay(Day* day);
    // Pulls the content of every later movable lesson one slot earlier; the
    // lesson's own content is overwritten.
    void pullLessonsBack(Lesson* lesson);
    Day* shiftLessonsBeforeCreatingHoliday(Day* day);
    // The lesson and its course's later slots in course order, taken once
    // per move; the movable ones are those that are not anchored.
    struct BumpChain {
        CourseOrder order;
        QList<Lesson*> fromLesson;
        QList<Lesson*> movable;
    };
    BumpChain bumpChain(Lesson* lesson, BumpedSlot slot = BumpedSlot::Stays) const;

    // The frame of the year. New days hold empty slots copied from days of
    // their weekday or, in a rotating year, of the day type that continues
    // the rotation.
    // False, with nothing changed, when the year has no school day to copy.
    bool insertWeekAtBeginning();
    bool extendYearByOneWeek();
    // Rebuilds every school day from `day` on, empty, with the rotation
    // started again at `dayType`. False, with nothing changed, unless every
    // day type has a non-custom school day to copy.
    bool restartRotation(const Day* day, int dayType);

    // Meeting times.

    // Moves every lesson's times onto its day.
    void fixLessonTimes();
    // Puts back on their weekday the days that a change of time-zone rules
    // moved across midnight, taking the first week as the model.
    void fixDaylightSavings();

    // Calendar sync. The calendar assignment table maps each course name, and
    // the keys "Notes" and "Non School Days", to the calendar their events go
    // to: a dictionary with "calendarName", "calendarType" and "courseName".
    // It lives in memory and is stored in teacherDepartment as an XML
    // property list.
    static const QString localCalendarType;
    static const QString notesCalendarKey;
    static const QString nonSchoolDaysCalendarKey;
    QVariantMap& calendarSyncDict() { return m_calendarSyncDict; }
    // Reads the stored table and gives every course, the notes and the
    // non-school days that lack an entry a default one; entries already there
    // (and keys it does not know) are left alone. Stores the result.
    void generateCalendarSyncDict();
    void storeCalendarSyncDict();
    // The lessons with data changed on or after the last calendar sync when
    // `okToSync`, otherwise every lesson with data.
    QList<Lesson*> lessonsUpdatedSinceLastICalSync(bool okToSync) const;

private:
    DeleteStackBatch* m_deleteStackBatch = nullptr;
    // The stack as the last batch left it, with its entries.
    QString m_stackLastRead;
    DeleteStackEntries m_entriesLastRead;
    QVariantMap m_calendarSyncDict;

    DeleteStackEntries deleteStackEntries();

    QList<Day*> schoolDaysInOrder() const;
    Day* insertNewDay(Week& week, Date date, int dayType);
    template <typename T> T* recordWithPrimaryKey(const QString& entityName, qint64 key) const;
    QList<Day*> fetchDays(const std::function<bool(const Day&)>& predicate) const;
};
