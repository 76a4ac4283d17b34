#include "connect/SyncReplies.h"

#include <QUrl>
#include <QXmlStreamReader>

namespace {

constexpr qsizetype maxIdLength = 64;

bool isIdCharacter(char c)
{
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' || c == '_';
}

// Walks the whole document; answers the text of the root's child at
// `childIndex` when asked for one, and whether the document is well formed.
bool readDocument(const QByteArray& body, int childIndex, QString* childText)
{
    QXmlStreamReader reader(body);
    int depth = 0;
    int children = 0;
    bool sawRoot = false;
    while (!reader.atEnd()) {
        const QXmlStreamReader::TokenType token = reader.readNext();
        if (token == QXmlStreamReader::DTD || token == QXmlStreamReader::EntityReference)
            return false;
        if (token == QXmlStreamReader::StartElement) {
            if (depth == 0 && sawRoot)
                return false;
            sawRoot = true;
            ++depth;
            if (depth == 2 && children++ == childIndex && childText) {
                *childText = reader.readElementText(QXmlStreamReader::IncludeChildElements);
                --depth;
            }
        } else if (token == QXmlStreamReader::EndElement) {
            --depth;
        }
    }
    return sawRoot && !reader.hasError();
}

} // namespace

std::optional<qint64> SyncReplies::loggedInYear(const QByteArray& body)
{
    static const QByteArray prefix = QByteArrayLiteral("loggedin:");
    const QByteArray trimmed = body.trimmed();
    if (!trimmed.startsWith(prefix))
        return std::nullopt;
    bool ok = false;
    const qint64 year = trimmed.mid(prefix.size()).toLongLong(&ok);
    if (!ok || year < -1)
        return std::nullopt;
    return year;
}

std::optional<QString> SyncReplies::recordId(const QByteArray& body)
{
    const QByteArray trimmed = body.trimmed();
    if (trimmed.isEmpty() || trimmed.size() > maxIdLength)
        return std::nullopt;
    for (const char c : trimmed) {
        if (!isIdCharacter(c))
            return std::nullopt;
    }
    return QString::fromLatin1(trimmed);
}

bool SyncReplies::isRecordXml(const QByteArray& body)
{
    return body.trimmed().startsWith("<?xml") && readDocument(body, -1, nullptr);
}

std::optional<qint64> SyncReplies::storedFileSize(const QByteArray& body)
{
    QString text;
    if (!body.trimmed().startsWith("<?xml") || !readDocument(body, 2, &text))
        return std::nullopt;
    bool ok = false;
    const qint64 size = text.trimmed().toLongLong(&ok);
    return ok && size >= 0 ? std::optional<qint64>(size) : std::nullopt;
}

std::optional<QString> SyncReplies::idFromLocation(const QByteArray& location)
{
    // Only the year's own address counts: a redirect to a login page must
    // not hand out "login" as the year.
    const QUrl url(QString::fromUtf8(location.trimmed()));
    const QStringList parts = url.path().split(QLatin1Char('/'), Qt::SkipEmptyParts);
    if (!url.isValid() || url.hasQuery() || parts.size() < 2 || parts.at(parts.size() - 2) != QLatin1String("years"))
        return std::nullopt;
    return recordId(parts.last().toUtf8());
}
