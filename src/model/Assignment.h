#pragma once

#include "model/SyncedRecord.h"

class AssignedFile;
class AssignedWebLink;
class CourseOrder;
class Lesson;
class Year;

// Work given in one lesson and due in another.
class Assignment : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    QString title() const { return value<QString>(u"title"); }
    int points() const { return value<int>(u"points"); }
    Lesson* assignedLesson() const;
    Lesson* dueLesson() const;
    Year* year() const;
    QList<AssignedFile*> files() const;
    QList<AssignedWebLink*> webLinks() const;
    QString detailsString() const { return value<QString>(u"detailsString"); }
    // One line of a report: "title due on <due day>" or "title assigned on
    // <assigned day>", each followed by ": details" when there are any.
    QString stringForDailyReport() const;
    QString dueStringForDailyReport() const;

    // How many slots of the course the due lesson lies after the assigned
    // one; none when either is missing.
    std::optional<int> lessonsBetweenAssignedAndDue() const;
    // The same, reading places from an order already taken of the assigned
    // lesson's course.
    std::optional<int> lessonsBetweenAssignedAndDue(const CourseOrder& order) const;
    // New copies of the other assignment's files and links, without their
    // service identity.
    void copyAttachmentsFrom(const Assignment* other);
    void removeAllAttachments();
    // Deletes the assignment with its attachments, unlinking it from both
    // lessons and recording it for the online service.
    void remove();

protected:
    const QStringList& keysThatUpdateTime() const override;

private:
    Year* owningYear() const;
    std::optional<int> lessonsBetween(const CourseOrder* order) const;
    QString reportLine(const char* pattern, const Lesson* lesson) const;
};
