#pragma once

#include <QList>
#include <QString>

#include <optional>

// What a value in a record body must look like.
enum class FieldType {
    Text,
    Integer,
    Flag, // 0 or 1
    YearDate, // "yyyy-MM-dd kk:mm:ss"
    DayDate, // "yyyy-MM-dd kk:mm:ssZ"
    LessonTime, // "yyyy-MM-dd kk:mm:00Z", or empty for a lesson without a time
    YearRef, // the account's year
    Ref, // a record of `target` in the account's year
    OptionalRef, // the same, or empty
};

struct FieldSpec {
    QString element; // as the body names it
    QString key; // as it is stored (the year's second start_date is its end date)
    FieldType type = FieldType::Text;
    QString target; // resource of a reference

    // Whether the text has this field's form; references only in form here,
    // whose record they name is checked against the database.
    bool accepts(const QString& value) const;
};

// A reference as the body writes it ("12", or with the white space the
// desktop program may keep around its stored identifiers).
std::optional<qint64> referenceId(const QString& value);

// One kind of record of the sync protocol: its URL name, its XML root and its
// fields, in the order the desktop program writes them.
struct ResourceSpec {
    QString name; // "lesson_standards"; also what DELETE addresses
    QString root; // "lessonstandard"
    QList<FieldSpec> fields;
    // Attached files come as multipart forms instead of XML.
    bool isFile = false;
    QString fileNamePart; // "attach_file_name"
    QString filePart; // "attachfile[attach]"

    const FieldSpec* field(const QString& key) const;
    bool isYear() const { return name == QLatin1String("years"); }
};

namespace ResourceSpecs {

const ResourceSpec* byName(const QString& name);
const ResourceSpec& years();
const QList<ResourceSpec>& all();

} // namespace ResourceSpecs
