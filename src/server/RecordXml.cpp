#include "server/RecordXml.h"

#include "server/ResourceSpec.h"

#include <QSet>
#include <QXmlStreamReader>
#include <QXmlStreamWriter>

namespace {

using Parsed = Result<QJsonObject>;

// Text fields may be left out; a missing number, flag or reference is an error.
bool mayBeLeftOut(FieldType type)
{
    return type == FieldType::Text || type == FieldType::LessonTime || type == FieldType::OptionalRef;
}

// The first field of this element name not yet filled: the year names its end
// date "start_date" too, second.
const FieldSpec* nextField(const ResourceSpec& spec, QStringView element, const QJsonObject& filled)
{
    for (const FieldSpec& field : spec.fields) {
        if (field.element == element && !filled.contains(field.key))
            return &field;
    }
    return nullptr;
}

Parsed readChild(QXmlStreamReader& reader, const ResourceSpec& spec, QJsonObject values)
{
    const QString element = reader.name().toString();
    const FieldSpec* field = nextField(spec, reader.name(), values);
    if (!field)
        return Parsed::failure(spec.field(element)
                ? QStringLiteral("element <%1> appears twice").arg(element)
                : QStringLiteral("unknown element <%1> in <%2>").arg(element, spec.root));
    if (!reader.attributes().isEmpty())
        return Parsed::failure(QStringLiteral("element <%1> takes no attributes").arg(element));
    const QString value = reader.readElementText(QXmlStreamReader::ErrorOnUnexpectedElement);
    if (reader.hasError())
        return Parsed::failure(QStringLiteral("element <%1> must hold text only").arg(element));
    if (!field->accepts(value))
        return Parsed::failure(QStringLiteral("element <%1> has a value of the wrong type").arg(element));
    values.insert(field->key, value);
    return values;
}

Parsed readRoot(QXmlStreamReader& reader, const ResourceSpec& spec)
{
    if (reader.name() != spec.root)
        return Parsed::failure(QStringLiteral("expected a <%1> body").arg(spec.root));
    QJsonObject values;
    while (reader.readNext() != QXmlStreamReader::EndElement) {
        if (reader.hasError())
            return Parsed::failure(QStringLiteral("malformed XML: %1").arg(reader.errorString()));
        if (reader.isStartElement()) {
            auto child = readChild(reader, spec, values);
            if (!child)
                return child;
            values = *child;
        } else if (reader.isCharacters() && !reader.isWhitespace()) {
            return Parsed::failure(QStringLiteral("text outside the fields of <%1>").arg(spec.root));
        }
    }
    for (const FieldSpec& field : spec.fields) {
        if (values.contains(field.key))
            continue;
        if (!mayBeLeftOut(field.type))
            return Parsed::failure(QStringLiteral("element <%1> is missing").arg(field.element));
        values.insert(field.key, QString());
    }
    return values;
}

} // namespace

Result<QJsonObject> RecordXml::parse(const ResourceSpec& spec, const QByteArray& body)
{
    QXmlStreamReader reader(body);
    std::optional<QJsonObject> values;
    while (!reader.atEnd()) {
        switch (reader.readNext()) {
        case QXmlStreamReader::DTD:
            return Parsed::failure(QStringLiteral("document type declarations are not accepted"));
        case QXmlStreamReader::StartElement: {
            if (values)
                return Parsed::failure(QStringLiteral("more than one root element"));
            auto root = readRoot(reader, spec);
            if (!root)
                return root;
            values = *root;
            break;
        }
        case QXmlStreamReader::Characters:
            if (!reader.isWhitespace())
                return Parsed::failure(QStringLiteral("text outside the root element"));
            break;
        default:
            break;
        }
    }
    if (reader.hasError())
        return Parsed::failure(QStringLiteral("malformed XML: %1").arg(reader.errorString()));
    if (!values)
        return Parsed::failure(QStringLiteral("empty body"));
    return *values;
}

QByteArray RecordXml::write(const ResourceSpec& spec, qint64 id, const QJsonObject& fields, qint64 fileSize)
{
    QByteArray out;
    QXmlStreamWriter writer(&out);
    writer.writeStartDocument();
    writer.writeStartElement(spec.root);
    writer.writeTextElement(QStringLiteral("id"), QString::number(id));
    if (spec.isFile) {
        writer.writeTextElement(QStringLiteral("name"), fields.value(QStringLiteral("name")).toString());
        writer.writeTextElement(QStringLiteral("size"), QString::number(fileSize));
        writer.writeTextElement(
            QStringLiteral("content_type"), fields.value(QStringLiteral("content_type")).toString());
    }
    for (const FieldSpec& field : spec.fields)
        writer.writeTextElement(field.key, fields.value(field.key).toString());
    writer.writeEndElement();
    writer.writeEndDocument();
    return out;
}
