#include "model/Assignment.h"

#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/RecordCopy.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

const QStringList& Assignment::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("title"), QStringLiteral("dueLesson"),
        QStringLiteral("assignedLesson"), QStringLiteral("details"), QStringLiteral("detailsString") };
    return keys;
}

Lesson* Assignment::assignedLesson() const
{
    return object<Lesson>(u"assignedLesson");
}

Lesson* Assignment::dueLesson() const
{
    return object<Lesson>(u"dueLesson");
}

Year* Assignment::year() const
{
    return dueLesson() ? dueLesson()->year() : nullptr;
}

QList<AssignedFile*> Assignment::files() const
{
    return objects<AssignedFile>(u"files");
}

QList<AssignedWebLink*> Assignment::webLinks() const
{
    return objects<AssignedWebLink>(u"webLinks");
}

namespace {

qsizetype indexInCourse(const Lesson* lesson)
{
    return lesson->course() ? lesson->course()->allLessonsInOrder().indexOf(lesson) : -1;
}

} // namespace

std::optional<int> Assignment::lessonsBetweenAssignedAndDue() const
{
    const Lesson* assigned = assignedLesson();
    const Lesson* due = dueLesson();
    if (!assigned || !due)
        return std::nullopt;
    return int(indexInCourse(due) - indexInCourse(assigned));
}

void Assignment::copyAttachmentsFrom(const Assignment* other)
{
    const QStringList identity { QStringLiteral("lastUpdated"), QStringLiteral("syncID") };
    for (const AssignedFile* file : other->files()) {
        auto* copy = context().insert<AssignedFile>(QStringLiteral("AssignedFile"));
        RecordCopy::copyAttributes(*file, *copy, identity);
        addObject(u"files", copy);
    }
    for (const AssignedWebLink* link : other->webLinks()) {
        auto* copy = context().insert<AssignedWebLink>(QStringLiteral("AssignedWebLink"));
        RecordCopy::copyAttributes(*link, *copy, identity);
        addObject(u"webLinks", copy);
    }
}

// The year through either lesson: an assignment may lack a due lesson.
Year* Assignment::owningYear() const
{
    if (Year* owner = year())
        return owner;
    return assignedLesson() ? assignedLesson()->year() : nullptr;
}

void Assignment::removeAllAttachments()
{
    Year* owner = owningYear();
    for (AssignedFile* file : files()) {
        if (owner)
            owner->addObjectToDeleteStack(*file, QStringLiteral("assignment_attachfile"));
        context().deleteObject(file);
    }
    for (AssignedWebLink* link : webLinks()) {
        if (owner)
            owner->addObjectToDeleteStack(*link, QStringLiteral("assignment_attachlink"));
        context().deleteObject(link);
    }
}

void Assignment::remove()
{
    // The year is reached through the lessons, so find it before unlinking.
    Year* owner = owningYear();
    removeAllAttachments();
    setObject(u"dueLesson", nullptr);
    setObject(u"assignedLesson", nullptr);
    if (owner)
        owner->addObjectToDeleteStack(*this, QStringLiteral("assignment"));
    context().deleteObject(this);
}
