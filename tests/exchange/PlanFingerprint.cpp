#include "exchange/PlanFingerprint.h"

#include "store/ManagedObject.h"
#include "store/ObjectContext.h"

#include <QCryptographicHash>

namespace {

// A value as the file carries it: a value never set reads back as the
// type's NULL (0, false, empty), so it is shown as that.
QString show(const ManagedObject& record, const QString& key)
{
    const AttributeDescription* attribute = record.entity().attribute(key);
    const QVariant value = record.value(key);
    switch (attribute->type) {
    case AttributeType::Boolean:
        return value.toBool() ? QStringLiteral("yes") : QStringLiteral("no");
    case AttributeType::Binary:
        return QString::fromLatin1(QCryptographicHash::hash(value.toByteArray(), QCryptographicHash::Md5).toHex());
    case AttributeType::Integer:
        return QString::number(value.toLongLong());
    case AttributeType::Date:
    case AttributeType::Double:
        return QString::number(value.toDouble(), 'f', 3);
    case AttributeType::String:
        return value.toString();
    }
    return {};
}

QString values(const ManagedObject* record, const QStringList& keys)
{
    if (!record)
        return QStringLiteral("none");
    QStringList parts;
    for (const QString& key : keys)
        parts << key + QLatin1Char('=') + show(*record, key);
    return parts.join(QLatin1Char(' '));
}

const QStringList richFields { QStringLiteral("lessonBody"), QStringLiteral("homework"),
    QStringLiteral("publicComment"), QStringLiteral("custom1"), QStringLiteral("custom2"), QStringLiteral("custom3") };

QString lessonName(const ManagedObject* lesson)
{
    if (!lesson)
        return QStringLiteral("no lesson");
    return QStringLiteral("[%1 %2 %3 %4]")
        .arg(show(*lesson->object(u"dayTaught"), QStringLiteral("actualDate")),
            lesson->object(u"course")->value(u"courseName").toString(), show(*lesson, QStringLiteral("startTime")),
            lesson->value(u"lessonTitle").toString());
}

QStringList records(const ObjectContext& context, const QString& entity)
{
    QStringList lines;
    const EntityDescription* description = context.model().entity(entity);
    for (const ManagedObject* record : context.objectsOfEntity(*description)) {
        const QString kind = record->entity().name();
        if (entity == u"Year") {
            QStringList keys { QStringLiteral("startDate"), QStringLiteral("endDate"), QStringLiteral("lastICalSync"),
                QStringLiteral("teacherSchool"), QStringLiteral("teacherPhone"), QStringLiteral("typeOfSchedule"),
                QStringLiteral("repeatInterval") };
            for (const QString& field : richFields)
                keys << field + QStringLiteral("Title");
            for (const char* flag : { "showTeacher", "showHomework", "showPublic", "showCustom1", "showCustom2",
                     "showCustom3", "teacherEnlarged", "homeworkEnlarged", "publicEnlarged", "custom1Enlarged",
                     "custom2Enlarged", "custom3Enlarged" })
                keys << QLatin1String(flag);
            lines << kind + QLatin1Char(' ') + values(record, keys);
        } else if (entity == u"Course") {
            lines << kind + QLatin1Char(' ')
                    + values(record, { QStringLiteral("courseName"), QStringLiteral("red"), QStringLiteral("green"),
                        QStringLiteral("blue") });
        } else if (entity == u"Unit") {
            lines << kind + QLatin1Char(' ') + values(record, { QStringLiteral("unitName") }) + QStringLiteral(" of ")
                    + values(record->object(u"course"), { QStringLiteral("courseName") });
        } else if (entity == u"Standard") {
            const QStringList keys { QStringLiteral("shortName"), QStringLiteral("text"), QStringLiteral("isRootItem"),
                QStringLiteral("syncID"), QStringLiteral("lastUpdated") };
            lines << kind + QLatin1Char(' ') + values(record, keys) + QStringLiteral(" under ")
                    + values(record->object(u"parent"), { QStringLiteral("shortName") });
        } else if (entity == u"Day") {
            lines << kind + QLatin1Char(' ')
                    + values(record,
                        { QStringLiteral("actualDate"), QStringLiteral("lastUpdated"), QStringLiteral("holidayName"),
                            QStringLiteral("notes"), QStringLiteral("iCalUIDNonSchool"), QStringLiteral("iCalUIDNotes"),
                            QStringLiteral("syncID"), QStringLiteral("isHoliday"), QStringLiteral("isCancelled"),
                            QStringLiteral("isCustom"), QStringLiteral("typeOfDay") })
                    + QStringLiteral(" in week ") + values(record->object(u"week"), { QStringLiteral("weekNumber") });
        } else if (entity == u"Lesson") {
            QStringList keys { QStringLiteral("endTime"), QStringLiteral("lastUpdated"), QStringLiteral("syncID"),
                QStringLiteral("iCalUID"), QStringLiteral("anchored") };
            for (const QString& field : richFields)
                keys << field << field + QStringLiteral("String");
            lines << kind + QLatin1Char(' ') + lessonName(record) + QLatin1Char(' ') + values(record, keys)
                    + QStringLiteral(" unit ") + values(record->object(u"unit"), { QStringLiteral("unitName") });
        } else if (entity == u"Assignment") {
            lines << kind + QLatin1Char(' ')
                    + values(record,
                        { QStringLiteral("title"), QStringLiteral("detailsString"), QStringLiteral("syncID"),
                            QStringLiteral("lastUpdated"), QStringLiteral("points") })
                    + QStringLiteral(" given ") + lessonName(record->object(u"assignedLesson"))
                    + QStringLiteral(" due ") + lessonName(record->object(u"dueLesson"));
        } else if (entity == u"Attachment") {
            const bool isFile = kind.endsWith(QLatin1String("File"));
            QStringList keys { QStringLiteral("name"), QStringLiteral("syncID"), QStringLiteral("publish"),
                QStringLiteral("lastUpdated") };
            keys << (isFile ? QStringList { QStringLiteral("filePath"), QStringLiteral("windowsFilePath"),
                                  QStringLiteral("sandboxURL") }
                            : QStringList { QStringLiteral("URL") });
            const ManagedObject* assignment = kind.startsWith(QLatin1String("Assigned")) ? record->object(u"assignment")
                                                                                         : nullptr;
            const QString owner = assignment
                ? QStringLiteral("assignment ") + values(assignment, { QStringLiteral("title") })
                    + lessonName(assignment->object(u"assignedLesson"))
                : lessonName(record->object(u"lesson"));
            lines << kind + QLatin1Char(' ') + values(record, keys) + QStringLiteral(" of ") + owner;
        } else if (entity == u"StandardInLesson") {
            lines << kind + QLatin1Char(' ')
                    + values(record, { QStringLiteral("syncID"), QStringLiteral("lastUpdated") })
                    + QStringLiteral(" in ") + lessonName(record->object(u"lesson")) + QStringLiteral(" standard ")
                    + values(record->object(u"standard"), { QStringLiteral("shortName") });
        } else {
            lines << kind + QLatin1Char(' ') + values(record, { QStringLiteral("weekNumber") });
        }
    }
    return lines;
}

} // namespace

QStringList planFingerprint(const ObjectContext& context)
{
    QStringList lines;
    for (const char* entity :
        { "Year", "Course", "Unit", "Standard", "Week", "Day", "Lesson", "Assignment", "Attachment", "StandardInLesson" })
        lines << records(context, QLatin1String(entity));
    lines.sort();
    return lines;
}
