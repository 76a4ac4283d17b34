#include "connect/MultipartForm.h"

#include <QMimeDatabase>
#include <QUrl>
#include <QUuid>

namespace {

QByteArray quotableName(const QString& fileName)
{
    QString name = fileName;
    name.remove(QLatin1Char('\r')).remove(QLatin1Char('\n')).remove(QLatin1Char('"')).remove(QLatin1Char('\\'));
    return name.toUtf8();
}

bool isAscii(const QByteArray& bytes)
{
    return std::all_of(bytes.begin(), bytes.end(), [](char c) { return uchar(c) < 0x80; });
}

} // namespace

MultipartForm::MultipartForm(const QByteArray& prefix)
    : m_boundary(prefix + QUuid::createUuid().toByteArray(QUuid::WithoutBraces))
{ }

MultipartForm::MultipartForm(Fixed, QByteArray boundary)
    : m_boundary(std::move(boundary))
{ }

MultipartForm MultipartForm::withBoundary(QByteArray boundary)
{
    return MultipartForm(Fixed {}, std::move(boundary));
}

void MultipartForm::addField(const QByteArray& name, const QByteArray& value)
{
    m_parts += "--" + m_boundary + "\r\nContent-Disposition: form-data; name=\"" + name + "\"\r\n\r\n" + value + "\r\n";
}

void MultipartForm::addFile(
    const QByteArray& name, const QString& fileName, const QByteArray& mimeType, const QByteArray& data)
{
    const QByteArray quoted = quotableName(fileName);
    QByteArray disposition = "Content-Disposition: form-data; name=\"" + name + "\"; filename=\"" + quoted + "\"";
    if (!isAscii(quoted))
        disposition += "; filename*=UTF-8''" + QUrl::toPercentEncoding(QString::fromUtf8(quoted));
    m_parts += "--" + m_boundary + "\r\n" + disposition + "\r\nContent-Type: " + mimeType + "\r\n\r\n" + data + "\r\n";
}

QByteArray MultipartForm::contentType() const
{
    return "multipart/form-data; boundary=\"" + m_boundary + "\"";
}

QByteArray MultipartForm::body() const
{
    return m_parts + "--" + m_boundary + "--\r\n";
}

QByteArray MultipartForm::mimeTypeFor(const QString& fileName)
{
    const QString suffix = fileName.section(QLatin1Char('.'), -1).toLower();
    if (suffix == QLatin1String("m4v"))
        return "video/x-m4v";
    if (suffix == QLatin1String("m4p"))
        return "audio/x-m4p";
    const QMimeType type = QMimeDatabase().mimeTypeForFile(fileName, QMimeDatabase::MatchExtension);
    return type.isValid() ? type.name().toLatin1() : QByteArray("application/octet-stream");
}
