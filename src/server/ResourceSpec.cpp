#include "server/ResourceSpec.h"

#include <QDate>
#include <QRegularExpression>

namespace {

FieldSpec text(const char* element)
{
    return { QString::fromLatin1(element), QString::fromLatin1(element), FieldType::Text, {} };
}

FieldSpec typed(const char* element, FieldType type)
{
    return { QString::fromLatin1(element), QString::fromLatin1(element), type, {} };
}

FieldSpec ref(const char* element, const char* target, FieldType type = FieldType::Ref)
{
    return { QString::fromLatin1(element), QString::fromLatin1(element), type, QString::fromLatin1(target) };
}

ResourceSpec record(const char* name, const char* root, QList<FieldSpec> fields)
{
    return { QString::fromLatin1(name), QString::fromLatin1(root), std::move(fields), false, {}, {} };
}

ResourceSpec file(
    const char* name, const char* root, QList<FieldSpec> fields, const char* namePart, const char* filePart)
{
    return { QString::fromLatin1(name), QString::fromLatin1(root), std::move(fields), true,
        QString::fromLatin1(namePart), QString::fromLatin1(filePart) };
}

QList<FieldSpec> webLink(const char* owner, const char* ownerTarget)
{
    return { typed("publish", FieldType::Flag), text("name"), ref(owner, ownerTarget), text("description"),
        text("url") };
}

QList<ResourceSpec> makeAll()
{
    return {
        record("years", "year",
            { typed("year_number", FieldType::Integer), typed("start_date", FieldType::YearDate),
                { QStringLiteral("start_date"), QStringLiteral("end_date"), FieldType::YearDate, {} },
                text("custom1_title"), text("custom2_title"), text("custom3_title"), text("public_comment_title"),
                text("homework_title"), text("lesson_body_title") }),
        record("standards", "standard",
            { text("short_text"), text("full_text"), typed("is_root", FieldType::Flag),
                typed("year_id", FieldType::YearRef), text("moid"), text("parent_moid") }),
        record("courses", "course", { text("course_name"), typed("year_id", FieldType::YearRef) }),
        record("weeks", "week", { typed("week_number", FieldType::Integer), typed("year_id", FieldType::YearRef) }),
        record("days", "day",
            { typed("actual_date", FieldType::DayDate), typed("is_holiday", FieldType::Flag),
                typed("is_cancelled", FieldType::Flag), typed("is_custom", FieldType::Flag), text("notes"),
                ref("week_id", "weeks") }),
        record("lessons", "lesson",
            { text("title"), text("tags"), text("lesson_body"), text("homework"), text("public_comment"),
                text("custom1"), text("custom2"), text("custom3"), ref("day_id", "days"), ref("course_id", "courses"),
                text("unit_name"), typed("start_time", FieldType::LessonTime),
                typed("end_time", FieldType::LessonTime) }),
        record("lesson_standards", "lessonstandard",
            { text("description"), ref("standard_id", "standards"), ref("lesson_id", "lessons") }),
        record("assignments", "assignment",
            { text("description"), text("title"), ref("assigned_lesson_id", "lessons", FieldType::OptionalRef),
                ref("due_lesson_id", "lessons", FieldType::OptionalRef) }),
        record("attachlinks", "attachedlink", webLink("lesson_id", "lessons")),
        record("assignment_attachlinks", "attachedlink", webLink("assignment_id", "assignments")),
        file("attachfiles", "attachfile", { ref("lesson_id", "lessons"), typed("publish", FieldType::Flag) },
            "attach_file_name", "attachfile[attach]"),
        file("assignment_attachfiles", "assignment_attachfile", { ref("assignment_id", "assignments") },
            "assignment_attach_file_name", "assignmentattachfile[assignment_attach]"),
    };
}

// Dates come as the desktop formats them: hours run 1 to 24 ("kk"), so
// midnight is hour 24; 00 is taken too.
bool acceptsDate(const QString& value, const QRegularExpression& form)
{
    const auto match = form.match(value);
    if (!match.hasMatch())
        return false;
    const QDate date = QDate::fromString(match.captured(1), QStringLiteral("yyyy-MM-dd"));
    return date.isValid() && match.captured(2).toInt() <= 24;
}

bool acceptsInteger(const QString& value)
{
    bool ok = false;
    value.toLongLong(&ok);
    return ok && value == value.trimmed();
}

} // namespace

std::optional<qint64> referenceId(const QString& value)
{
    bool ok = false;
    const qint64 id = value.trimmed().toLongLong(&ok);
    return ok && id > 0 ? std::optional<qint64>(id) : std::nullopt;
}

bool FieldSpec::accepts(const QString& value) const
{
    static const QRegularExpression yearDate(QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}) (\\d{2}):[0-5]\\d:[0-5]\\d$"));
    static const QRegularExpression dayDate(
        QStringLiteral("^(\\d{4}-\\d{2}-\\d{2}) (\\d{2}):[0-5]\\d:[0-5]\\d[+-]\\d{4}$"));
    switch (type) {
    case FieldType::Text:
        return true;
    case FieldType::Integer:
        return acceptsInteger(value);
    case FieldType::Flag:
        return value == QLatin1String("0") || value == QLatin1String("1");
    case FieldType::YearDate:
        return acceptsDate(value, yearDate);
    case FieldType::DayDate:
        return acceptsDate(value, dayDate);
    case FieldType::LessonTime:
        return value.isEmpty() || acceptsDate(value, dayDate);
    case FieldType::YearRef:
    case FieldType::Ref:
        return referenceId(value).has_value();
    case FieldType::OptionalRef:
        return value.trimmed().isEmpty() || referenceId(value).has_value();
    }
    return false;
}

const FieldSpec* ResourceSpec::field(const QString& key) const
{
    for (const FieldSpec& f : fields) {
        if (f.key == key)
            return &f;
    }
    return nullptr;
}

const QList<ResourceSpec>& ResourceSpecs::all()
{
    static const QList<ResourceSpec> specs = makeAll();
    return specs;
}

const ResourceSpec* ResourceSpecs::byName(const QString& name)
{
    for (const ResourceSpec& spec : all()) {
        if (spec.name == name)
            return &spec;
    }
    return nullptr;
}

const ResourceSpec& ResourceSpecs::years()
{
    return *byName(QStringLiteral("years"));
}
