#pragma once

#include <QByteArray>
#include <QString>

// A multipart form for the service: attached files and feedback. Each
// form draws its own boundary, so no file's bytes can contain it, and the
// body always ends with the closing boundary.
class MultipartForm {
public:
    // The boundary is `prefix` followed by a fresh UUID.
    explicit MultipartForm(const QByteArray& prefix = "0xKhTmLbOuNdArY-");
    // A form with a fixed boundary, for reproducible bodies.
    static MultipartForm withBoundary(QByteArray boundary);

    void addField(const QByteArray& name, const QByteArray& value);
    // The file's name is quoted with CR, LF and quotes taken out; a name
    // outside ASCII also goes as RFC 5987 `filename*` in UTF-8.
    void addFile(const QByteArray& name, const QString& fileName, const QByteArray& mimeType, const QByteArray& data);

    QByteArray contentType() const;
    QByteArray body() const;

    // The MIME type for a file name's extension.
    static QByteArray mimeTypeFor(const QString& fileName);

private:
    struct Fixed { };
    MultipartForm(Fixed, QByteArray boundary);

    QByteArray m_boundary;
    QByteArray m_parts;
};
