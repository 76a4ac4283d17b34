#include "connect/SyncRecordXml.h"

#include "connect/SyncText.h"
#include "foundation/richtext/HtmlFragmentWriter.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Week.h"
#include "model/Year.h"

#include <QUrl>

using SyncText::element;
using SyncText::escape;

namespace {

QString idOf(const SyncedRecord* record)
{
    return record ? record->strippedID() : QString();
}

QString flag(bool value)
{
    return value ? QStringLiteral("1") : QStringLiteral("0");
}

QString yearId(const Year& year)
{
    return year.value<QString>(u"teacherSchool").trimmed();
}

QString richFieldHtml(const Lesson& lesson, const QString& key)
{
    const QByteArray rtf = lesson.value<QByteArray>(key);
    return rtf.isEmpty() ? QString() : escape(HtmlFragmentWriter::fromRtf(rtf));
}

QString optionalTime(std::optional<Date> time)
{
    return time ? SyncText::lessonTime(*time) : QString();
}

QByteArray wrap(const QString& root, const QString& content)
{
    return element(root, content).toUtf8();
}

} // namespace

QByteArray SyncRecordXml::year(const Year& year)
{
    // The service reads the second start_date as the end date.
    QString content = element(QStringLiteral("year_number"), QStringLiteral("1"))
        + element(QStringLiteral("start_date"), SyncText::yearDate(year.startDate()))
        + element(QStringLiteral("start_date"), SyncText::yearDate(year.endDate()));
    static const std::pair<const char*, const char*> titles[]
        = { { "custom1_title", "custom1Title" }, { "custom2_title", "custom2Title" },
              { "custom3_title", "custom3Title" }, { "public_comment_title", "publicCommentTitle" },
              { "homework_title", "homeworkTitle" }, { "lesson_body_title", "lessonBodyTitle" } };
    for (const auto& [name, key] : titles)
        content += element(QLatin1String(name), escape(year.value<QString>(QString::fromLatin1(key))));
    return wrap(QStringLiteral("year"), content);
}

QByteArray SyncRecordXml::standard(const Standard& standard, const Year& year)
{
    const Standard* parent = standard.parent();
    return wrap(QStringLiteral("standard"),
        element(QStringLiteral("short_text"), escape(standard.shortName()))
            + element(QStringLiteral("full_text"), escape(standard.text()))
            + element(QStringLiteral("is_root"), flag(standard.isRootItem()))
            + element(QStringLiteral("year_id"), yearId(year))
            + element(QStringLiteral("moid"), escape(standard.objectURI()))
            + element(QStringLiteral("parent_moid"), parent ? escape(parent->objectURI()) : QString()));
}

QByteArray SyncRecordXml::course(const Course& course, const Year& year)
{
    return wrap(QStringLiteral("course"),
        element(QStringLiteral("course_name"), escape(course.courseName()))
            + element(QStringLiteral("year_id"), yearId(year)));
}

QByteArray SyncRecordXml::week(const Week& week, const Year& year)
{
    return wrap(QStringLiteral("week"),
        element(QStringLiteral("week_number"), QString::number(week.weekNumber()))
            + element(QStringLiteral("year_id"), yearId(year)));
}

QByteArray SyncRecordXml::day(const Day& day)
{
    return wrap(QStringLiteral("day"),
        element(QStringLiteral("actual_date"), SyncText::dayDate(day.actualDate()))
            + element(QStringLiteral("is_holiday"), flag(day.isHoliday()))
            + element(QStringLiteral("is_cancelled"), flag(day.isCancelled()))
            + element(QStringLiteral("is_custom"), flag(day.isCustom()))
            + element(QStringLiteral("notes"), escape(day.notes()))
            + element(QStringLiteral("week_id"), idOf(day.week())));
}

QByteArray SyncRecordXml::lesson(const Lesson& lesson)
{
    static const std::pair<const char*, const char*> fields[]
        = { { "lesson_body", "lessonBody" }, { "homework", "homework" }, { "public_comment", "publicComment" },
              { "custom1", "custom1" }, { "custom2", "custom2" }, { "custom3", "custom3" } };
    QString content = element(QStringLiteral("title"), escape(lesson.lessonTitle()))
        + element(QStringLiteral("tags"), escape(lesson.tagsString()));
    for (const auto& [name, key] : fields)
        content += element(QLatin1String(name), richFieldHtml(lesson, QString::fromLatin1(key)));
    const Unit* unit = lesson.unit();
    content += element(QStringLiteral("day_id"), idOf(lesson.dayTaught()))
        + element(QStringLiteral("course_id"), idOf(lesson.course()))
        + element(QStringLiteral("unit_name"), unit ? escape(unit->unitName()) : QString())
        + element(QStringLiteral("start_time"), optionalTime(lesson.startTimeForICal()))
        + element(QStringLiteral("end_time"), optionalTime(lesson.endTimeForICal()));
    return wrap(QStringLiteral("lesson"), content);
}

QByteArray SyncRecordXml::lessonStandard(const StandardInLesson& link)
{
    return wrap(QStringLiteral("lessonstandard"),
        element(QStringLiteral("description"), escape(link.implementationNotes()))
            + element(QStringLiteral("standard_id"), idOf(link.standard()))
            + element(QStringLiteral("lesson_id"), idOf(link.lesson())));
}

QByteArray SyncRecordXml::assignment(const Assignment& assignment)
{
    return wrap(QStringLiteral("assignment"),
        element(QStringLiteral("description"), escape(assignment.detailsString()))
            + element(QStringLiteral("title"), escape(assignment.title()))
            + element(QStringLiteral("assigned_lesson_id"), idOf(assignment.assignedLesson()))
            + element(QStringLiteral("due_lesson_id"), idOf(assignment.dueLesson())));
}

QByteArray SyncRecordXml::webLink(const AttachedWebLink& link)
{
    const auto* assigned = dynamic_cast<const AssignedWebLink*>(&link);
    const QString owner = assigned ? element(QStringLiteral("assignment_id"), idOf(assigned->assignment()))
                                   : element(QStringLiteral("lesson_id"), idOf(link.lesson()));
    return wrap(QStringLiteral("attachedlink"),
        element(QStringLiteral("publish"), flag(link.isPublished()))
            + element(QStringLiteral("name"), escape(link.name())) + owner
            + element(QStringLiteral("description"), escape(link.notes()))
            + element(QStringLiteral("url"), escape(QString::fromLatin1(QUrl::toPercentEncoding(link.url())))));
}
