#pragma once

#include "model/SyncedRecord.h"

#include <QVariantMap>

#include <functional>
#include <memory>

class QTextDocument;
class Assignment;
class AttachedFile;
class AttachedWebLink;
class Attachment;
class Course;
class CourseOrder;
class Day;
class Standard;
class StandardInLesson;
class Unit;
class Year;

// One meeting of one course on one day: the teacher's plan for it.
class Lesson : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    // The six rich-text fields (RTF), in display order. Each has a plain-text
    // shadow under the same key followed by "String".
    static const QStringList& richFieldKeys();
    static QString shadowKey(const QString& richFieldKey) { return richFieldKey + QStringLiteral("String"); }

    QString lessonTitle() const { return value<QString>(u"lessonTitle"); }
    // Absent until the teacher (or a template) gives the lesson a meeting
    // time; an absent time is never read as some made-up hour.
    std::optional<Date> startTime() const { return value<std::optional<Date>>(startTimeKey); }
    std::optional<Date> endTime() const { return value<std::optional<Date>>(endTimeKey); }
    int lessonPosition() const { return value<int>(u"lessonPosition"); }
    bool isAnchored() const { return value<bool>(anchoredKey); }
    bool hasTimes() const { return startTime() && endTime(); }
    // Seconds from start to end; none unless both times are set.
    std::optional<double> length() const;

    Day* dayTaught() const;
    Course* course() const;
    Unit* unit() const;
    Year* year() const;
    QString courseName() const;
    QList<Assignment*> assignments() const;

    // Whether the teacher put anything in the lesson: a title, text in a
    // field, or an assignment given in it.
    bool hasData() const;
    // Brings each rich field in line with its plain-text shadow after the
    // lesson was filled from a source that writes only plain text. The shadow
    // wins: a rich field that reads differently becomes the shadow's text,
    // unstyled; one whose shadow is empty becomes empty.
    void makeFieldsEqual();
    // Records the lesson and its attachments on the year's delete stack.
    void addToYearDeleteStack();

    // Content fields.
    // Whether the field holds any text (an emptied field holds none).
    bool hasDataForKey(const QString& fieldKey) const;
    bool hasTitle() const { return !lessonTitle().isEmpty(); }
    QString lockMenuString() const;
    // Every tag's name followed by ",".
    QString tagsString() const;
    bool hasTagWithName(const QString& name) const;
    // The units of the lesson's course, in no particular order.
    QList<Unit*> unitsArray() const;
    // The visible fields that hold data, as one rich text for the editor;
    // labels come along only when more than one field holds data.
    std::unique_ptr<QTextDocument> textViewString() const;

    // The lesson's content as a transfer dictionary (see LessonDictionary).
    QVariantMap dictionaryForExport() const;
    enum class Notify { Yes, No };
    // Replaces the whole content with the dictionary's.
    void importFromDictionary(const QVariantMap& dictionary, Notify notify = Notify::Yes);

    QString stringForEditingMode() const;
    QString dateStringForScrollingView() const;
    QString dateAndCourseNameString() const;
    QString timeString() const;

    // Schedule queries.
    // The next lesson of the course; the lesson itself when it is the last.
    Lesson* lessonFollowing() const;
    // Whole seconds between the lesson's day and now.
    qint64 timeFromNow() const;
    // Whether the other lesson starts or ends strictly inside this one, or
    // has exactly its times. Lessons without times overlap nothing.
    bool startsOrEndsDuringLesson(const Lesson* other) const;
    // The lesson `distance` slots later in the course (earlier when
    // negative), held at the course's first and last lesson.
    Lesson* lessonAwayFromCurrent(int distance);

    // Moving content. A lesson's content is everything but its times,
    // position and syncID: attributes, unit, tags, standards, attachments
    // and the assignments given in it.
    enum class CopyUnit { Yes, No };

    QList<Assignment*> homeworkDue() const;
    // Empties the lesson, the work given in it included; work given in
    // another lesson and due here stays.
    void wipe();
    // Makes this lesson's content a copy of the source's. Copied assignments
    // stay as many slots from their due lesson as the originals.
    void replaceAllDataWithLesson(const Lesson* source);
    // The same, with the course order of the source taken once by a caller
    // that copies through a whole course.
    void replaceAllDataWithLesson(const Lesson* source, const CourseOrder& sourceOrder);
    // Moves the content along slots of one course (`order` is its order) as
    // if each slot in turn took a copy of the content of the slot before it:
    // the content of the last slot is dropped, and the first is left without
    // its fields, standards, attachments and given work (its unit and tags
    // stay until it is wiped). The standards, attachments and assignments
    // move rather than being copied, and the online service hears of them
    // as it would of copies. Each slot that took content is marked as
    // changed now, with its attachments.
    static void shiftContentAlong(const QList<Lesson*>& chain, const CourseOrder& order);
    // A copy that keeps this slot's identity; with CopyUnit::Yes the unit is
    // found or made in this lesson's own course.
    void copyUserInformationFrom(const Lesson* source, CopyUnit withUnit = CopyUnit::Yes);
    // Deletes the assignments given in the lesson and makes those due in it
    // due in the next slot.
    void clearAssignments();
    // The same, with the course's next slot already known: none at the
    // course's end, where the work due here stays.
    void clearAssignments(Lesson* nextSlot);
    // Deletes the assignments given in the lesson, wherever they are due.
    void removeGivenAssignments();
    void updateLastUpdatedForAllSubordinates();
    void removeAttachment(Attachment* attachment);
    void clearAttachments() { removeAllAttachments(); }
    // After the slot's own work was cleared and just before the slot itself
    // is deleted: work still due here (the course's last slot has no next
    // one) becomes due in the nearest earlier slot not before the slot it
    // was given in, or is deleted when there is none.
    void releaseWorkDueBeforeRemoval();

    // Assignments and attachments.
    // Given here, by due date, then title.
    QList<Assignment*> assignmentsAssignedToday() const;
    // Due here, by assigned date, then title.
    QList<Assignment*> assignmentsDueToday() const;
    // Given here, then those due here that are not also given here.
    QList<Assignment*> todaysAssignments() const;
    bool hasAssignments() const { return !assignments().isEmpty() || !homeworkDue().isEmpty(); }
    QString shortAssignmentsString() const;
    QString mediumAssignmentsString() const;
    QString longAssignmentsString() const;
    // New work given here and due in the next slot (here, in the course's
    // last slot), seen from this lesson.
    Assignment* addAssignment();
    QList<Attachment*> attachments() const;
    AttachedFile* addFileWithPath(const QString& pathOrURL);
    // The link is named by `name`, or by its address when that is empty.
    AttachedWebLink* addWebLinkWithURL(const QString& url, const QString& name = {});

    // Learning standards.
    bool hasStandard(const Standard* standard) const;
    StandardInLesson* standardInLessonFromStandard(const Standard* standard) const;
    // None for a deleted standard (or none), which is never linked.
    StandardInLesson* addStandard(Standard* standard);
    // Unlinks and deletes the link, recording it on the delete stack; no-op for none.
    void removeStandard(StandardInLesson* link);

    // Meeting times. Only the hour and minute of startTime and endTime carry
    // meaning; their date is kept on the lesson's day.

    // Moves both times (where present) onto the day's date.
    void fixUpTimes();
    // Takes the times of the same meeting of the course on another day with
    // the same schedule (none when that meeting has none). Without such a
    // meeting the lesson keeps its own times rather than take made-up ones.
    void setStartAndEndTime();
    // The same, drawing from days already known to be like the lesson's day.
    void setStartAndEndTime(QList<Day*> daysLikeItsDay);

    // Calendar sync.
    // The meeting's start and end on the lesson's day: the day's date with the
    // time of day of startTime and endTime. None without times.
    std::optional<Date> startTimeForICal() const;
    std::optional<Date> endTimeForICal() const;
    // The title as typed; the calendar file applies its own escaping.
    QString strippedTitle() const { return lessonTitle(); }
    // A field that goes into event notes: where its plain text lives in a
    // lesson record, and the year's label for it. Looked up once for a
    // whole sync rather than by key for each of thousands of lessons.
    struct ICalNoteField {
        int plainTextSlot;
        QString title;
    };
    // The given field keys, in the order of the fields, as note fields of
    // the year's lessons.
    static QList<ICalNoteField> iCalNoteFields(const Year& year, const QStringList& syncedFieldKeys);
    // The event notes: for each note field whose text is not empty, its
    // label, its plain text and a blank line.
    QString stringForICalSync(const QList<ICalNoteField>& fields) const;

protected:
    const QStringList& keysThatUpdateTime() const override;

    // The properties a bump reads for every lesson of a course.
    static inline const PropertyKey startTimeKey { u"startTime" };
    static inline const PropertyKey endTimeKey { u"endTime" };
    static inline const PropertyKey anchoredKey { u"anchored" };
    void didChangeValue(const QString& key) override;
    void valuesRestored() override;

private:
    void removeStandardLinks();
    void removeAllAttachments();
    void removeAllTags();
    void copyStandardLinksFrom(const Lesson* source);
    void copyAttachmentsFrom(const Lesson* source);
    void copyAssignmentsFrom(const Lesson* source, const CourseOrder& sourceOrder);
    // The unit (unless the source has none) and the tags of the source.
    void takeUnitAndTagsOf(const Lesson* source);
    // Deletes the lesson's standard links, attachments and given work.
    void removeOwnedRecords();
    // The records a shift moves to other lessons, gathered along the chain
    // so that each mark is set on all of them at once.
    struct MovedRecords {
        // Reach the online service as new ones.
        QList<ManagedObject*> sentAsNew;
        // Every moved record, changed at the time of the move.
        QList<ManagedObject*> changed;
    };
    // What shiftContentAlong does to the records this lesson takes from the
    // slot before, besides re-linking them and marking them in `moved`;
    // `owner` is the year whose delete stack hears of them.
    void prepareToTakeRecordsOf(const Lesson* source, const CourseOrder& order, Year* owner, MovedRecords& moved);
    // Where work given here is due when it was due `distance` slots after
    // its lesson in the source's course.
    Lesson* dueLessonAway(int distance, const CourseOrder& sourceOrder);
    // Runs a change of many fields at once, telling the views once at the end
    // that the lesson's text changed rather than once for every field: a
    // bump changes thousands of lessons, and each telling redraws a box.
    void changeFieldsTogether(const std::function<void()>& change);

    bool m_fieldsChanging = false;
    bool m_displayTextChanged = false;
};
