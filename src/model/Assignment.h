#pragma once

#include "model/SyncedRecord.h"

class AssignedFile;
class AssignedWebLink;
class Attachment;
class CourseOrder;
class Lesson;
class Year;

// Work given in one lesson and due in another.
class Assignment : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    // The most lessons offered as due-lesson choices, either way.
    static constexpr int lessonChoiceLimit = 40;

    QString title() const { return value<QString>(u"title"); }
    // Makes the rich details agree with their plain text where another
    // program edited only the plain text.
    void makeDetailsEqual();
    QString detailsString() const { return value<QString>(u"detailsString"); }
    int points() const { return value<int>(u"points"); }
    Lesson* assignedLesson() const;
    Lesson* dueLesson() const;
    Year* year() const;
    QList<AssignedFile*> files() const;
    QList<AssignedWebLink*> webLinks() const;
    // The files, then the links.
    QList<Attachment*> attachments() const;

    // The lesson from whose side the assignment is shown; it decides which
    // of its dates the display line gives. Held in memory only.
    Lesson* currentLesson() const { return m_currentLesson; }
    void setCurrentLesson(Lesson* lesson) { m_currentLesson = lesson; }
    // "Due …", "Assigned …" or "Assigned/Due on TODAY …" as seen from the
    // current lesson.
    QString titleAndDate() const;
    bool dueToday() const;
    // Due-lesson choices: the assigned lesson and the ones after it.
    QList<Lesson*> lessonsAfterAssignedLesson() const;
    // The due lesson and the lessons before it, latest first.
    QList<Lesson*> lessonsBeforeDueLesson() const;
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
    // Records the attachment for the online service and deletes it.
    void removeAttachment(Attachment* attachment);
    // A new file or link of the assignment; the link is named by `name`,
    // or by its address when that is empty.
    AssignedFile* addFileWithPath(const QString& pathOrURL);
    AssignedWebLink* addWebLinkWithURL(const QString& url, const QString& name = {});
    // Deletes the assignment with its attachments, unlinking it from both
    // lessons and recording it for the online service.
    void remove();

protected:
    const QStringList& keysThatUpdateTime() const override;
    void didChangeValue(const QString& key) override;

private:
    QString withDetails(const QString& line) const;
    Year* owningYear() const;
    std::optional<int> lessonsBetween(const CourseOrder* order) const;

    Lesson* m_currentLesson = nullptr;
};
