#include "server/Multipart.h"

#include <QRegularExpression>

namespace {

QString dispositionValue(const QByteArray& header, const char* key)
{
    const QRegularExpression quoted(QStringLiteral("(?:^|;)\\s*%1=\"([^\"]*)\"").arg(QLatin1String(key)),
        QRegularExpression::CaseInsensitiveOption);
    const auto match = quoted.match(QString::fromUtf8(header));
    return match.hasMatch() ? match.captured(1) : QString();
}

std::optional<MultipartPart> parsePart(const QByteArray& raw)
{
    const qsizetype headerEnd = raw.indexOf("\r\n\r\n");
    if (headerEnd < 0)
        return std::nullopt;
    MultipartPart part;
    part.data = raw.mid(headerEnd + 4);
    for (const QByteArray& line : raw.left(headerEnd).split('\n')) {
        const QByteArray header = line.trimmed();
        const qsizetype colon = header.indexOf(':');
        if (colon < 0)
            continue;
        const QByteArray name = header.left(colon).trimmed().toLower();
        const QByteArray value = header.mid(colon + 1).trimmed();
        if (name == "content-disposition") {
            part.name = dispositionValue(value, "name");
            if (value.contains("filename="))
                part.fileName = dispositionValue(value, "filename");
        } else if (name == "content-type") {
            part.contentType = value;
        }
    }
    if (part.name.isEmpty())
        return std::nullopt;
    return part;
}

} // namespace

std::optional<QByteArray> Multipart::boundary(const QByteArray& contentType)
{
    const qsizetype at = contentType.indexOf("boundary=");
    if (at < 0)
        return std::nullopt;
    QByteArray value = contentType.mid(at + 9);
    const qsizetype semicolon = value.indexOf(';');
    if (semicolon >= 0)
        value.truncate(semicolon);
    value = value.trimmed();
    if (value.size() >= 2 && value.startsWith('"') && value.endsWith('"'))
        value = value.mid(1, value.size() - 2);
    if (value.isEmpty() || value.size() > 200)
        return std::nullopt;
    return value;
}

std::optional<QList<MultipartPart>> Multipart::parse(const QByteArray& body, const QByteArray& boundary)
{
    const QByteArray opening = "--" + boundary + "\r\n";
    const QByteArray delimiter = "\r\n--" + boundary;
    if (!body.startsWith(opening))
        return std::nullopt;
    QList<MultipartPart> parts;
    qsizetype start = opening.size();
    while (start < body.size()) {
        const qsizetype end = body.indexOf(delimiter, start);
        if (end < 0)
            return std::nullopt;
        auto part = parsePart(body.mid(start, end - start));
        if (!part)
            return std::nullopt;
        parts.append(*part);
        start = end + delimiter.size();
        if (body.mid(start, 2) == "--")
            break; // closing boundary; whatever follows is epilogue
        if (body.mid(start, 2) != "\r\n")
            return std::nullopt;
        start += 2;
    }
    return parts;
}
