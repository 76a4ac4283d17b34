#include "foundation/notify/NotificationCenter.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/CourseOrder.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "store/ObjectContext.h"

#include <algorithm>

namespace {

Date dayOf(const Lesson* lesson)
{
    return lesson && lesson->dayTaught() ? lesson->dayTaught()->actualDate() : Date();
}

// Sorted by the day of the lesson at the other end, then by title.
QList<Assignment*> sortedByOtherEnd(QList<Assignment*> list, Lesson* (Assignment::*otherEnd)() const)
{
    std::stable_sort(list.begin(), list.end(), [otherEnd](const Assignment* a, const Assignment* b) {
        const Date dayA = dayOf((a->*otherEnd)());
        const Date dayB = dayOf((b->*otherEnd)());
        if (dayA != dayB)
            return dayA < dayB;
        return a->title() < b->title();
    });
    return list;
}

} // namespace

QList<Assignment*> Lesson::assignmentsAssignedToday() const
{
    return sortedByOtherEnd(assignments(), &Assignment::dueLesson);
}

QList<Assignment*> Lesson::assignmentsDueToday() const
{
    return sortedByOtherEnd(homeworkDue(), &Assignment::assignedLesson);
}

QList<Assignment*> Lesson::todaysAssignments() const
{
    QList<Assignment*> result = assignmentsAssignedToday();
    for (Assignment* due : assignmentsDueToday()) {
        if (due->assignedLesson() != this)
            result.append(due);
    }
    return result;
}

QString Lesson::shortAssignmentsString() const
{
    return QStringLiteral("A: %1 D: %2").arg(assignments().size()).arg(homeworkDue().size());
}

QString Lesson::mediumAssignmentsString() const
{
    return QStringLiteral("Assign: %1 Due: %2").arg(assignments().size()).arg(homeworkDue().size());
}

QString Lesson::longAssignmentsString() const
{
    return QStringLiteral("Assigned: %1 Due: %2").arg(assignments().size()).arg(homeworkDue().size());
}

Assignment* Lesson::addAssignment()
{
    auto* assignment = context().insert<Assignment>(QStringLiteral("Assignment"));
    Lesson* due = lessonFollowing();
    assignment->setObject(u"dueLesson", due);
    assignment->setObject(u"assignedLesson", this);
    assignment->updateTime();
    assignment->setCurrentLesson(this);
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, this);
    if (due != this)
        NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, due);
    return assignment;
}

QList<Attachment*> Lesson::attachments() const
{
    static const PropertyKey attachmentsKey(u"attachments");
    return objects<Attachment>(attachmentsKey);
}

AttachedFile* Lesson::addFileWithPath(const QString& pathOrURL)
{
    auto* file = context().insert<AttachedFile>(QStringLiteral("AttachedFile"));
    file->setFile(pathOrURL);
    file->setObject(u"lesson", this);
    return file;
}

AttachedWebLink* Lesson::addWebLinkWithURL(const QString& url, const QString& name)
{
    auto* link = context().insert<AttachedWebLink>(QStringLiteral("AttachedWebLink"));
    link->setLink(url, name);
    link->setObject(u"lesson", this);
    return link;
}

void Lesson::releaseWorkDueBeforeRemoval()
{
    const QList<Assignment*> stillDue = homeworkDue();
    if (stillDue.isEmpty())
        return;
    const CourseOrder order = course() ? CourseOrder(*course()) : CourseOrder();
    const qsizetype place = order.indexOf(this);
    for (Assignment* assignment : stillDue) {
        const qsizetype given = order.indexOf(assignment->assignedLesson());
        if (place > 0 && given >= 0 && given < place)
            assignment->setObject(u"dueLesson", order.lessons()[place - 1]);
        else
            assignment->remove();
    }
}
