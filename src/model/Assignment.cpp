#include "model/Assignment.h"

#include "foundation/richtext/RichText.h"
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

namespace {

const PropertyKey assignedLessonKey(u"assignedLesson");
const PropertyKey dueLessonKey(u"dueLesson");
const PropertyKey filesKey(u"files");
const PropertyKey webLinksKey(u"webLinks");

} // namespace

Lesson* Assignment::assignedLesson() const
{
    return object<Lesson>(assignedLessonKey);
}

Lesson* Assignment::dueLesson() const
{
    return object<Lesson>(dueLessonKey);
}

Year* Assignment::year() const
{
    return dueLesson() ? dueLesson()->year() : nullptr;
}

QList<AssignedFile*> Assignment::files() const
{
    return objects<AssignedFile>(filesKey);
}

QList<AssignedWebLink*> Assignment::webLinks() const
{
    return objects<AssignedWebLink>(webLinksKey);
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
    for (Attachment* attachment : attachments())
        removeAttachment(attachment);
}

void Assignment::removeAttachment(Attachment* attachment)
{
    if (Year* owner = owningYear())
        owner->addObjectToDeleteStack(*attachment, attachment->deleteStackType());
    context().deleteObject(attachment);
}

AssignedFile* Assignment::addFileWithPath(const QString& pathOrURL)
{
    auto* file = context().insert<AssignedFile>(QStringLiteral("AssignedFile"));
    file->setFile(pathOrURL);
    addObject(u"files", file);
    return file;
}

AssignedWebLink* Assignment::addWebLinkWithURL(const QString& url, const QString& name)
{
    auto* link = context().insert<AssignedWebLink>(QStringLiteral("AssignedWebLink"));
    link->setLink(url, name);
    addObject(u"webLinks", link);
    return link;
}

QList<Attachment*> Assignment::attachments() const
{
    QList<Attachment*> result;
    for (AssignedFile* file : files())
        result.append(file);
    for (AssignedWebLink* link : webLinks())
        result.append(link);
    return result;
}

void Assignment::makeDetailsEqual()
{
    if (const std::optional<QByteArray> agreeing
        = RichText::agreeingWith(value<QByteArray>(u"details"), detailsString()))
        setValue(u"details", *agreeing);
}

void Assignment::didChangeValue(const QString& key)
{
    SyncedRecord::didChangeValue(key);
    if (key == QLatin1String("details") && !isCopyingAttributes())
        setValue(u"detailsString", RichText::plainText(value<QByteArray>(u"details")));
}

namespace {

const QString today = QStringLiteral("TODAY");

QString shortDate(const Lesson* lesson)
{
    return lesson && lesson->dayTaught() ? lesson->dayTaught()->shortDateString() : QString();
}

QString mediumDate(const Lesson* lesson)
{
    return lesson && lesson->dayTaught() ? lesson->dayTaught()->mediumDateString() : QString();
}

} // namespace

QString Assignment::titleAndDate() const
{
    const QString text = title();
    const Lesson* given = assignedLesson();
    const Lesson* due = dueLesson();
    if (m_currentLesson == given && m_currentLesson == due)
        return QStringLiteral("Assigned/Due on %1 - %2").arg(today, text);
    if (m_currentLesson == given)
        return QStringLiteral("Due %1 - %2").arg(shortDate(due), text);
    return QStringLiteral("Assigned %1 - %2").arg(shortDate(given), text);
}

bool Assignment::dueToday() const
{
    return m_currentLesson && m_currentLesson == dueLesson() && m_currentLesson != assignedLesson();
}

QList<Lesson*> Assignment::lessonsAfterAssignedLesson() const
{
    const Lesson* given = assignedLesson();
    if (!given || !given->year())
        return {};
    return given->year()->getLessonsInCourse(Year::Relative::AfterLesson, given).mid(0, lessonChoiceLimit);
}

QList<Lesson*> Assignment::lessonsBeforeDueLesson() const
{
    const Lesson* due = dueLesson();
    if (!due || !due->year())
        return {};
    return due->year()->getLessonsInCourse(Year::Relative::BeforeLesson, due).mid(0, lessonChoiceLimit);
}

QString Assignment::withDetails(const QString& line) const
{
    const QString details = detailsString();
    return details.isEmpty() ? line : QStringLiteral("%1: %2").arg(line, details);
}

QString Assignment::stringForDailyReport() const
{
    return withDetails(QStringLiteral("%1 due on %2").arg(title(), mediumDate(dueLesson())));
}

QString Assignment::dueStringForDailyReport() const
{
    return withDetails(QStringLiteral("%1 assigned on %2").arg(title(), mediumDate(assignedLesson())));
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
