#include "model/LessonDictionary.h"

#include "foundation/notify/NotificationCenter.h"
#include "foundation/plist/PlistValue.h"
#include "foundation/plist/PropertyList.h"
#include "foundation/richtext/RichText.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QDir>

#include <algorithm>
#include <limits>
#include <optional>

namespace {

using Kind = PlistValue::Kind;

// Lesson attributes that belong to the slot or to the online service and are
// never carried to another lesson.
const QStringList& notCarried()
{
    static const QStringList keys { QStringLiteral("startTime"), QStringLiteral("endTime"), QStringLiteral("iCalUID"),
        QStringLiteral("lastUpdated"), QStringLiteral("syncID"), QStringLiteral("containsData") };
    return keys;
}

// Typed reads of one entry: a value of another type counts as absent.
std::optional<QString> stringAt(const QVariantMap& map, const QString& key)
{
    const auto found = map.constFind(key);
    if (found == map.cend() || PlistValue::kind(*found) != Kind::String)
        return std::nullopt;
    return found->toString();
}

std::optional<QByteArray> dataAt(const QVariantMap& map, const QString& key)
{
    const auto found = map.constFind(key);
    if (found == map.cend() || PlistValue::kind(*found) != Kind::Data)
        return std::nullopt;
    return found->toByteArray();
}

// Flags written by other programs come as booleans, integers or the strings
// "0" and "1".
std::optional<bool> flagAt(const QVariantMap& map, const QString& key)
{
    const auto found = map.constFind(key);
    if (found == map.cend())
        return std::nullopt;
    switch (PlistValue::kind(*found)) {
    case Kind::Boolean:
        return found->toBool();
    case Kind::Integer:
        return found->toLongLong() != 0;
    case Kind::String:
        return found->toString() != u"0";
    default:
        return std::nullopt;
    }
}

std::optional<int> integerAt(const QVariantMap& map, const QString& key)
{
    const auto found = map.constFind(key);
    if (found == map.cend() || PlistValue::kind(*found) != Kind::Integer)
        return std::nullopt;
    return int(std::clamp<qint64>(found->toLongLong(), std::numeric_limits<int>::min(), std::numeric_limits<int>::max()));
}

QList<QVariantMap> dictionariesAt(const QVariantMap& map, const QString& key)
{
    QList<QVariantMap> result;
    const auto found = map.constFind(key);
    if (found == map.cend() || PlistValue::kind(*found) != Kind::Array)
        return result;
    for (const QVariant& entry : found->toList()) {
        if (PlistValue::kind(entry) == Kind::Dictionary)
            result.append(entry.toMap());
    }
    return result;
}

QVariantMap writeAttachment(const Attachment& attachment, bool withBookmark)
{
    QVariantMap entry { { QStringLiteral("name"), attachment.name() }, { QStringLiteral("notes"), attachment.notes() },
        { QStringLiteral("publish"), attachment.isPublished() } };
    // Assigned files are attached files too.
    const bool isFile = dynamic_cast<const AttachedFile*>(&attachment) != nullptr;
    entry.insert(QStringLiteral("isFile"), isFile);
    if (!isFile) {
        entry.insert(QStringLiteral("URL"), attachment.value<QString>(u"URL"));
        return entry;
    }
    entry.insert(QStringLiteral("filePath"), attachment.value<QString>(u"filePath"));
    const QByteArray bookmark = attachment.value<QByteArray>(u"sandboxURL");
    if (withBookmark && !bookmark.isEmpty())
        entry.insert(QStringLiteral("sandboxURL"), bookmark);
    return entry;
}

QVariantMap writeAssignment(const Assignment& assignment)
{
    QVariantList attachments;
    for (const AssignedFile* file : assignment.files())
        attachments.append(writeAttachment(*file, false));
    for (const AssignedWebLink* link : assignment.webLinks())
        attachments.append(writeAttachment(*link, false));
    return { { QStringLiteral("title"), assignment.title() },
        { QStringLiteral("details"), assignment.value<QByteArray>(u"details") },
        { QStringLiteral("detailsString"), assignment.value<QString>(u"detailsString") },
        { QStringLiteral("points"), qint64(assignment.points()) },
        { QStringLiteral("dueInNumber"), qint64(assignment.lessonsBetweenAssignedAndDue().value_or(0)) },
        { QStringLiteral("attachments"), attachments } };
}

// A dictionary may come from another teacher's machine: only an absolute
// path is kept, cleaned of "." and ".." so that it names the file it seems
// to. Nothing here ever opens the file.
QString normalisedFilePath(const std::optional<QString>& path)
{
    if (!path || !QDir::isAbsolutePath(*path))
        return {};
    return QDir::cleanPath(*path);
}

// The fields every attachment kind shares; the caller links the record.
void readAttachment(const QVariantMap& entry, Attachment& attachment, bool isFile)
{
    attachment.setValue(u"name", stringAt(entry, QStringLiteral("name")).value_or(QString()));
    attachment.setValue(u"notes", stringAt(entry, QStringLiteral("notes")).value_or(QString()));
    attachment.setValue(u"publish", flagAt(entry, QStringLiteral("publish")).value_or(false));
    if (isFile)
        attachment.setValue(u"filePath", normalisedFilePath(stringAt(entry, QStringLiteral("filePath"))));
    else
        attachment.setValue(u"URL", stringAt(entry, QStringLiteral("URL")).value_or(QString()));
    attachment.setValue(u"syncID", QString());
    attachment.updateLastUpdated();
}

void readLessonAttachments(const QVariantMap& dictionary, Lesson& lesson)
{
    for (const QVariantMap& entry : dictionariesAt(dictionary, QStringLiteral("attachments"))) {
        const bool isFile = flagAt(entry, QStringLiteral("isFile")).value_or(false);
        auto* attachment = lesson.context().insert<Attachment>(
            isFile ? QStringLiteral("AttachedFile") : QStringLiteral("AttachedWebLink"));
        readAttachment(entry, *attachment, isFile);
        if (const std::optional<QByteArray> bookmark = dataAt(entry, QStringLiteral("sandboxURL")); bookmark && isFile)
            attachment->setValue(u"sandboxURL", *bookmark);
        attachment->setObject(u"lesson", &lesson);
    }
}

void readStandards(const QVariantMap& dictionary, Lesson& lesson)
{
    const Year* year = lesson.year();
    if (!year)
        return;
    for (const QVariantMap& entry : dictionariesAt(dictionary, QStringLiteral("standards"))) {
        const std::optional<QString> shortName = stringAt(entry, QStringLiteral("shortName"));
        const std::optional<QString> text = stringAt(entry, QStringLiteral("text"));
        Standard* standard = shortName && text ? year->getStandardWithShortName(*shortName, *text) : nullptr;
        if (!standard)
            continue;
        auto* link = lesson.context().insert<StandardInLesson>(QStringLiteral("StandardInLesson"));
        link->setObject(u"lesson", &lesson);
        link->setObject(u"standard", standard);
    }
}

void readAssignments(const QVariantMap& dictionary, Lesson& lesson)
{
    for (const QVariantMap& entry : dictionariesAt(dictionary, QStringLiteral("assignments"))) {
        auto* assignment = lesson.context().insert<Assignment>(QStringLiteral("Assignment"));
        assignment->setValue(u"title", stringAt(entry, QStringLiteral("title")).value_or(QString()));
        if (const std::optional<QByteArray> details = dataAt(entry, QStringLiteral("details")))
            assignment->setValue(u"details", *details);
        assignment->setValue(u"detailsString", stringAt(entry, QStringLiteral("detailsString")).value_or(QString()));
        assignment->setValue(u"points", integerAt(entry, QStringLiteral("points")).value_or(0));
        assignment->setValue(u"syncID", QString());
        assignment->setObject(u"assignedLesson", &lesson);
        assignment->setObject(
            u"dueLesson", lesson.lessonAwayFromCurrent(integerAt(entry, QStringLiteral("dueInNumber")).value_or(0)));
        for (const QVariantMap& attachmentEntry : dictionariesAt(entry, QStringLiteral("attachments"))) {
            const bool isFile = flagAt(attachmentEntry, QStringLiteral("isFile")).value_or(false);
            auto* attachment = lesson.context().insert<Attachment>(
                isFile ? QStringLiteral("AssignedFile") : QStringLiteral("AssignedWebLink"));
            readAttachment(attachmentEntry, *attachment, isFile);
            attachment->setObject(u"assignment", assignment);
        }
        assignment->updateTime();
    }
}

// A rich field travels with its plain-text shadow. The shadow is made from
// the rich text again rather than trusted, so the two always agree; a
// dictionary with only the shadow (written by a plain-text program) gives
// unstyled rich text.
void readRichField(const QVariantMap& dictionary, const QString& key, Lesson& lesson)
{
    const QByteArray rich = dataAt(dictionary, key).value_or(QByteArray());
    const QString shadow = stringAt(dictionary, Lesson::shadowKey(key)).value_or(QString());
    if (!rich.isEmpty())
        lesson.setValue(key, rich);
    else if (!shadow.isEmpty())
        lesson.setValue(key, RichText::fromPlainText(shadow));
}

} // namespace

namespace LessonDictionary {

QVariantMap write(const Lesson& lesson)
{
    QVariantMap dictionary;
    for (const AttributeDescription& attribute : lesson.entity().attributes()) {
        if (notCarried().contains(attribute.name))
            continue;
        const QVariant value = lesson.value(attribute.name);
        if (attribute.type == AttributeType::String)
            dictionary.insert(attribute.name, value.toString());
        else if (attribute.type == AttributeType::Binary)
            dictionary.insert(attribute.name, value.toByteArray());
        else if (attribute.type == AttributeType::Boolean)
            dictionary.insert(attribute.name, value.toBool());
        else if (attribute.type == AttributeType::Integer)
            dictionary.insert(attribute.name, value.toLongLong());
    }
    QVariantList attachments;
    for (const Attachment* attachment : lesson.objects<Attachment>(u"attachments"))
        attachments.append(writeAttachment(*attachment, true));
    dictionary.insert(QStringLiteral("attachments"), attachments);
    QVariantList assignments;
    for (const Assignment* assignment : lesson.assignments())
        assignments.append(writeAssignment(*assignment));
    dictionary.insert(QStringLiteral("assignments"), assignments);
    QVariantList standards;
    for (const StandardInLesson* link : lesson.objects<StandardInLesson>(u"standards")) {
        if (const Standard* standard = link->standard())
            standards.append(QVariantMap {
                { QStringLiteral("shortName"), standard->shortName() }, { QStringLiteral("text"), standard->text() } });
    }
    dictionary.insert(QStringLiteral("standards"), standards);
    if (const Unit* unit = lesson.unit())
        dictionary.insert(QStringLiteral("unit"), unit->unitName());
    return dictionary;
}

void read(const QVariantMap& dictionary, Lesson& lesson)
{
    lesson.wipe();
    if (const std::optional<QString> title = stringAt(dictionary, QStringLiteral("lessonTitle")))
        lesson.setValue(u"lessonTitle", *title);
    for (const QString& key : Lesson::richFieldKeys())
        readRichField(dictionary, key, lesson);
    lesson.setValue(u"anchored", flagAt(dictionary, QStringLiteral("anchored")).value_or(false));
    readLessonAttachments(dictionary, lesson);
    readStandards(dictionary, lesson);
    if (const std::optional<QString> unitName = stringAt(dictionary, QStringLiteral("unit")); unitName && lesson.course())
        lesson.setObject(u"unit", lesson.course()->unitWithName(*unitName));
    readAssignments(dictionary, lesson);
    lesson.updateTime();
}

QVariantMap writeCourse(
    const Course& course, const QList<Lesson*>& lessons, const std::function<void(qsizetype written)>& written)
{
    QVariantMap root { { QStringLiteral("courseName"), course.courseName() } };
    const QByteArray colorData = course.value<QByteArray>(u"colorData");
    if (!colorData.isEmpty())
        root.insert(QStringLiteral("colorData"), colorData);
    QStringList unitNames;
    QVariantList entries;
    for (const Lesson* lesson : lessons) {
        entries.append(write(*lesson));
        if (const Unit* unit = lesson->unit(); unit && !unitNames.contains(unit->unitName()))
            unitNames.append(unit->unitName());
        if (written)
            written(entries.size());
    }
    root.insert(QStringLiteral("units"), unitNames);
    root.insert(QStringLiteral("lessons"), entries);
    return root;
}

QString toText(const QVariantMap& dictionary)
{
    return QString::fromUtf8(PropertyList::writeText(dictionary));
}

std::optional<QVariantMap> fromText(const QString& text)
{
    const Result<QVariant> parsed = PropertyList::read(text.toUtf8());
    if (!parsed || PlistValue::kind(*parsed) != Kind::Dictionary)
        return std::nullopt;
    return parsed->toMap();
}

} // namespace LessonDictionary

QVariantMap Lesson::dictionaryForExport() const
{
    return LessonDictionary::write(*this);
}

void Lesson::importFromDictionary(const QVariantMap& dictionary, Notify notify)
{
    LessonDictionary::read(dictionary, *this);
    if (notify == Notify::Yes)
        NotificationCenter::defaultCenter().post(ModelNotifications::lessonClicked, this);
}

QVariantMap Course::dictionaryWithLessons(const QList<Lesson*>& lessons) const
{
    return LessonDictionary::writeCourse(*this, lessons);
}

QVariantMap Course::dictionaryForExport() const
{
    return dictionaryWithLessons(allLessonsInOrder());
}

QVariantMap Course::dictionaryForExport(Date from, Date to) const
{
    return dictionaryWithLessons(lessonsInOrderFrom(from, to));
}
