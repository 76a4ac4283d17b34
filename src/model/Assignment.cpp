#include "model/Assignment.h"

#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Course.h"
#include "model/CourseOrder.h"
#include "model/Day.h"
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

// The lesson's place in its course, read from `order` when that is its course's.
qsizetype placeInCourse(const Lesson* lesson, const CourseOrder* order)
{
    if (order && order->course() == lesson->course())
        return order->indexOf(lesson);
    return lesson->course() ? CourseOrder(*lesson->course()).indexOf(lesson) : -1;
}

} // namespace

std::optional<int> Assignment::lessonsBetweenAssignedAndDue() const
{
    return lessonsBetween(nullptr);
}

std::optional<int> Assignment::lessonsBetweenAssignedAndDue(const CourseOrder& order) const
{
    return lessonsBetween(&order);
}

std::optional<int> Assignment::lessonsBetween(const CourseOrder* order) const
{
    const Lesson* assigned = assignedLesson();
    const Lesson* due = dueLesson();
    if (!assigned || !due)
        return std::nullopt;
    return int(placeInCourse(due, order) - placeInCourse(assigned, order));
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

QString Assignment::stringForDailyReport() const
{
    return reportLine("%1 due on %2", dueLesson());
}

QString Assignment::dueStringForDailyReport() const
{
    return reportLine("%1 assigned on %2", assignedLesson());
}

QString Assignment::reportLine(const char* pattern, const Lesson* lesson) const
{
    const Day* day = lesson ? lesson->dayTaught() : nullptr;
    QString line = QString::fromLatin1(pattern).arg(title(), day ? day->mediumDateString() : QString());
    if (!detailsString().isEmpty())
        line = QStringLiteral("%1: %2").arg(line, detailsString());
    return line;
}
