#include "model/AttachedFile.h"

#include "model/Day.h"
#include "model/Lesson.h"
#include "store/ObjectContext.h"

#include <QFileInfo>

#include <algorithm>
#include <QStringDecoder>

namespace {

bool hasControlCharacters(const QString& text)
{
    return std::any_of(text.cbegin(), text.cend(), [](QChar c) { return c.category() == QChar::Other_Control; });
}

// Control characters shown as their escapes, so that a name never breaks a
// line or a table row.
QString withEscapedControls(const QString& text)
{
    QString result;
    for (const QChar c : text) {
        if (c.category() == QChar::Other_Control)
            result += QStringLiteral("%%1").arg(uint(c.unicode()), 2, 16, QLatin1Char('0')).toUpper();
        else
            result += c;
    }
    return result;
}

// The text with its percent escapes decoded, when they decode to UTF-8.
std::optional<QString> percentDecoded(const QString& text)
{
    const QByteArray bytes = QByteArray::fromPercentEncoding(text.toUtf8());
    // Stateless: a sequence cut off at the end is an error, not input to wait for.
    QStringDecoder decoder(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString decoded = decoder.decode(bytes);
    return decoder.hasError() ? std::nullopt : std::optional<QString>(decoded);
}

// Percent escapes decoded as UTF-8, unless they decode to bytes that are not
// UTF-8 or to control characters: then the text stays as it came, readable.
QString decodedIfClean(const QString& text)
{
    const std::optional<QString> decoded = percentDecoded(text);
    if (!decoded || hasControlCharacters(*decoded))
        return withEscapedControls(text);
    return *decoded;
}

QString lastComponent(const QString& path)
{
    return path.section(QLatin1Char('/'), -1);
}

} // namespace

const QStringList& AttachedFile::keysThatUpdateTime() const
{
    static const QStringList keys = Attachment::keysThatUpdateTime() + QStringList { QStringLiteral("filePath") };
    return keys;
}

Lesson* AttachedFile::lesson() const
{
    // An assignment's file has no lesson of its own.
    return entity().relationshipIndex(u"lesson") >= 0 ? object<Lesson>(u"lesson") : nullptr;
}

QString AttachedFile::plainPath(const QString& pathOrURL)
{
    static const QString scheme = QStringLiteral("file://");
    if (!pathOrURL.startsWith(scheme))
        return pathOrURL;
    // "file://localhost/x" and "file:///x" both name /x.
    QString rest = pathOrURL.mid(scheme.size());
    if (!rest.startsWith(QLatin1Char('/'))) {
        const qsizetype slash = rest.indexOf(QLatin1Char('/'));
        rest = slash < 0 ? QString() : rest.mid(slash);
    }
    return percentDecoded(rest).value_or(rest);
}

QString AttachedFile::nameForPath(const QString& path)
{
    return decodedIfClean(QFileInfo(lastComponent(path)).completeBaseName());
}

void AttachedFile::setFile(const QString& pathOrURL)
{
    const QString path = plainPath(pathOrURL);
    setValue(u"filePath", path);
    setValue(u"name", nameForPath(path));
    setValue(u"publish", true);
    updateTime();
}

QString AttachedFile::attachmentName() const
{
    const QString extension = QFileInfo(lastComponent(filePath())).suffix();
    const QString named = QStringLiteral("(File) %1").arg(name());
    return extension.isEmpty() ? named : QStringLiteral("%1 -- (%2)").arg(named, extension);
}

QString AttachedFile::shortFilePath() const
{
    return lastComponent(filePath());
}

QString AttachedFile::displayFileName() const
{
    const QString component = lastComponent(filePath());
    return component.isEmpty() ? QStringLiteral("Missing File Name") : component;
}

QString AttachedFile::actualPath() const
{
    const QString path = filePath();
    return plainPath(path);
}

bool AttachedFile::fileExists() const
{
    const QString path = actualPath();
    return !path.isEmpty() && QFileInfo(path).isFile();
}

bool AttachedFile::isUnder20Meg() const
{
    return fileExists() && QFileInfo(actualPath()).size() <= sizeLimit;
}

QString AttachedFile::detailForSSBWindow() const
{
    const Lesson* owner = lesson();
    if (!owner || !owner->dayTaught())
        return QStringLiteral("Not Attached.  Please remove this file");
    return QStringLiteral("Attached to lesson in %1 on %2")
        .arg(owner->courseName(), owner->dayTaught()->mediumLongDateString());
}

void AttachedFile::removeFromLesson()
{
    if (Lesson* owner = lesson())
        owner->removeAttachment(this);
    else
        context().deleteObject(this);
}
