#include "foundation/notify/NotificationCenter.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/CourseOrder.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/RecordCopy.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

namespace {

// The attributes that belong to the slot, not to its content.
const QStringList& slotKeys()
{
    static const QStringList keys { QStringLiteral("startTime"), QStringLiteral("endTime"),
        QStringLiteral("lessonPosition"), QStringLiteral("syncID") };
    return keys;
}

void recordDeletion(Year* year, const ManagedObject& record, const QString& type)
{
    if (year)
        year->addObjectToDeleteStack(record, type);
}

std::vector<int> attributeSlots(const EntityDescription& entity, const std::function<bool(const QString&)>& wanted)
{
    std::vector<int> positions;
    const QList<AttributeDescription>& attributes = entity.attributes();
    for (int slot = 0; slot < attributes.size(); ++slot) {
        if (wanted(attributes[slot].name))
            positions.push_back(slot);
    }
    return positions;
}

const PropertyKey standardsKey(u"standards");
const PropertyKey tagsKey(u"tags");

} // namespace

QList<Assignment*> Lesson::homeworkDue() const
{
    return objects<Assignment>(u"homeworkDue");
}

void Lesson::removeAttachment(Attachment* attachment)
{
    recordDeletion(year(), *attachment, attachment->deleteStackType());
    removeObject(u"attachments", attachment);
    context().deleteObject(attachment);
}

void Lesson::removeStandardLinks()
{
    for (StandardInLesson* link : objects<StandardInLesson>(standardsKey)) {
        recordDeletion(year(), *link, QStringLiteral("lesson_standard"));
        context().deleteObject(link);
    }
}

void Lesson::removeAllAttachments()
{
    for (Attachment* attachment : attachments())
        removeAttachment(attachment);
}

void Lesson::removeAllTags()
{
    // A copy: removing a tag shrinks the list being walked.
    const QList<ManagedObject*> tags = objects(tagsKey);
    for (ManagedObject* tag : tags)
        removeObject(u"tags", tag);
}

void Lesson::wipe()
{
    changeFieldsTogether([this] {
        for (const AttributeDescription& attribute : entity().attributes()) {
            if (!slotKeys().contains(attribute.name))
                setValue(attribute.name, QVariant());
        }
    });
    removeStandardLinks();
    removeAllAttachments();
    // The work given here is this lesson's content wherever it is due; work
    // given elsewhere and due here belongs to the lesson that gave it.
    removeGivenAssignments();
    setObject(u"unit", nullptr);
    removeAllTags();
    // Emptying is a change the online copy must hear of: without a time of
    // change the next sync of changes would pass the emptied slot over.
    updateTime();
}

void Lesson::replaceAllDataWithLesson(const Lesson* source)
{
    if (source == this)
        return;
    // Only copied assignments are placed by course order: take it only for them.
    const bool placesAssignments = source->course() && !source->assignments().isEmpty();
    replaceAllDataWithLesson(source, placesAssignments ? CourseOrder(*source->course()) : CourseOrder());
}

void Lesson::replaceAllDataWithLesson(const Lesson* source, const CourseOrder& sourceOrder)
{
    if (source == this)
        return;
    changeFieldsTogether([this, source] { copyAttributesFrom(*source, slotKeys()); });
    takeUnitAndTagsOf(source);
    copyStandardLinksFrom(source);
    copyAttachmentsFrom(source);
    removeGivenAssignments();
    copyAssignmentsFrom(source, sourceOrder);
    updateTime();
}

// The links keep their service identifier: the online sync deletes the
// queued entries before it sends, and sends a link it no longer knows as new.
void Lesson::copyStandardLinksFrom(const Lesson* source)
{
    removeStandardLinks();
    for (const StandardInLesson* link : source->objects<StandardInLesson>(standardsKey)) {
        auto* copy = context().insert<StandardInLesson>(QStringLiteral("StandardInLesson"));
        RecordCopy::copyAttributes(*link, *copy, {});
        copy->setObject(u"standard", link->standard());
        copy->setObject(u"lesson", this);
        copy->updateTime();
    }
}

void Lesson::copyAttachmentsFrom(const Lesson* source)
{
    removeAllAttachments();
    for (const Attachment* attachment : source->attachments()) {
        const bool isFile = dynamic_cast<const AttachedFile*>(attachment) != nullptr;
        auto* copy
            = context().insert<Attachment>(isFile ? QStringLiteral("AttachedFile") : QStringLiteral("AttachedWebLink"));
        RecordCopy::copyAttributes(*attachment, *copy, { QStringLiteral("lastUpdated"), QStringLiteral("syncID") });
        copy->updateLastUpdated();
        copy->setObject(u"lesson", this);
    }
}

// A copied assignment stays as many slots before its due lesson as the
// original, so moving content moves due dates with it.
void Lesson::copyAssignmentsFrom(const Lesson* source, const CourseOrder& sourceOrder)
{
    for (const Assignment* original : source->assignments()) {
        auto* copy = context().insert<Assignment>(QStringLiteral("Assignment"));
        copy->copyAttributesFrom(*original, { QStringLiteral("lastUpdated"), QStringLiteral("syncID") });
        copy->copyAttachmentsFrom(original);
        if (const std::optional<int> distance = original->lessonsBetweenAssignedAndDue(sourceOrder))
            copy->setObject(u"dueLesson", dueLessonAway(*distance, sourceOrder));
        copy->setObject(u"assignedLesson", this);
    }
}

Lesson* Lesson::dueLessonAway(int distance, const CourseOrder& sourceOrder)
{
    return sourceOrder.course() == course() ? sourceOrder.lessonAwayFrom(this, distance)
                                            : lessonAwayFromCurrent(distance);
}

void Lesson::takeUnitAndTagsOf(const Lesson* source)
{
    if (source->unit())
        setObject(u"unit", source->unit());
    const QList<ManagedObject*>& tags = source->objects(tagsKey);
    if (tags == objects(tagsKey))
        return;
    removeAllTags();
    for (ManagedObject* tag : tags)
        addObject(u"tags", tag);
}

// A bump moves the content of every later lesson of a course: moving the
// records and handing the field values on, rather than copying both, is
// what keeps that within a frame on a long year. The records of the whole
// chain are re-linked in one pass per relationship, after each was told
// where it goes.
void Lesson::shiftContentAlong(const QList<Lesson*>& chain, const CourseOrder& order)
{
    if (chain.isEmpty())
        return;
    const QStringList& shownKeys = chain.first()->keysThatUpdateTime();
    const EntityDescription& entity = chain.first()->entity();
    const std::vector<int> contentSlots
        = attributeSlots(entity, [](const QString& key) { return !slotKeys().contains(key); });
    const std::vector<int> shownSlots
        = attributeSlots(entity, [&](const QString& key) { return shownKeys.contains(key); });
    const QList<ManagedObject*> records(chain.begin(), chain.end());
    const std::vector<bool> shownChanged = shiftAttributesAlong(records, contentSlots, shownSlots);
    Year* owner = chain.first()->year();
    chain.last()->removeOwnedRecords();
    MovedRecords moved;
    for (qsizetype i = chain.size() - 1; i >= 1; --i) {
        chain[i]->takeUnitAndTagsOf(chain[i - 1]);
        chain[i]->prepareToTakeRecordsOf(chain[i - 1], order, owner, moved);
        moved.changed.append(chain[i]);
    }
    forgetServiceIdentifiers(moved.sentAsNew);
    updateTimes(moved.changed);
    for (const QStringView key : { u"standards", u"attachments", u"assignments" })
        shiftRelatedAlong(records, key);
    for (qsizetype i = 0; i < chain.size(); ++i) {
        if (shownChanged[size_t(i)])
            NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, chain[i]);
    }
}

void Lesson::removeOwnedRecords()
{
    removeStandardLinks();
    removeAllAttachments();
    removeGivenAssignments();
}

// The standard links keep their service identifier, as copied links do; the
// attachments and assignments reach the service as new ones. Work keeps its
// distance to its due lesson along the course.
void Lesson::prepareToTakeRecordsOf(const Lesson* source, const CourseOrder& order, Year* owner, MovedRecords& moved)
{
    for (StandardInLesson* link : source->objects<StandardInLesson>(standardsKey)) {
        recordDeletion(owner, *link, QStringLiteral("lesson_standard"));
        moved.changed.append(link);
    }
    // As a copy would, a moved record reaches the service as a new one: the
    // service's record is queued for deletion and the identifier goes.
    const auto sendAsNew = [&](SyncedRecord* record, const QString& type) {
        recordDeletion(owner, *record, type);
        moved.sentAsNew.append(record);
        moved.changed.append(record);
    };
    for (Attachment* attachment : source->attachments())
        sendAsNew(attachment, attachment->deleteStackType());
    for (Assignment* assignment : source->assignments()) {
        const std::optional<int> distance = assignment->lessonsBetweenAssignedAndDue(order);
        for (Attachment* attachment : assignment->attachments())
            sendAsNew(attachment, attachment->deleteStackType());
        sendAsNew(assignment, QStringLiteral("assignment"));
        if (distance)
            assignment->setObject(u"dueLesson", dueLessonAway(*distance, order));
    }
}

void Lesson::copyUserInformationFrom(const Lesson* source, CopyUnit withUnit)
{
    // Times, position and syncID are never copied; the calendar event is
    // this slot's own too.
    const QVariant iCalUID = value(u"iCalUID");
    replaceAllDataWithLesson(source);
    setValue(u"iCalUID", iCalUID);
    updateTime();
    if (withUnit == CopyUnit::Yes && source->unit() && course()) {
        const QString name = source->course() == course()
            ? source->unit()->unitName()
            : QStringLiteral("%1 - %2").arg(source->unit()->unitName(), courseName());
        Unit* own = course()->unitWithName(name);
        setObject(u"unit", own ? own : course()->addUnitWithName(name));
        NotificationCenter::defaultCenter().post(ModelNotifications::newUnitAdded);
    }
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonShouldUpdateSelf, this);
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonChanged, this);
}

void Lesson::clearAssignments()
{
    // The next slot is looked up only for work due here: finding it sorts
    // the whole course.
    Lesson* nextSlot = nullptr;
    if (year() && !homeworkDue().isEmpty()) {
        const QList<Lesson*> fromHere = year()->getLessonsInCourse(Year::Relative::AfterLesson, this);
        nextSlot = fromHere.size() < 2 ? nullptr : fromHere[1];
    }
    clearAssignments(nextSlot);
}

// Work due in the course's last slot has nowhere later to go: it stays due
// there rather than disappearing.
void Lesson::clearAssignments(Lesson* nextSlot)
{
    removeGivenAssignments();
    if (!nextSlot)
        return;
    for (Assignment* assignment : homeworkDue())
        assignment->setObject(u"dueLesson", nextSlot);
}

void Lesson::removeGivenAssignments()
{
    for (Assignment* assignment : assignments())
        assignment->remove();
}

void Lesson::updateLastUpdatedForAllSubordinates()
{
    updateTime();
    for (Attachment* attachment : attachments())
        attachment->updateLastUpdated();
}
