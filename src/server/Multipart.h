#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

#include <optional>

struct MultipartPart {
    QString name;
    std::optional<QString> fileName; // set for a file part
    QByteArray contentType;
    QByteArray data;
};

// multipart/form-data bodies, read leniently where the desktop program's
// bodies differ from the standard: a re-upload ends with an opening boundary
// line and no closing one, and the closing boundary comes without its final
// line break. cpp-httplib's own reader refuses both, which is why the server
// hands these bodies over unread (see ConnectServer).
namespace Multipart {

// The boundary of a "multipart/form-data; boundary=..." content type.
std::optional<QByteArray> boundary(const QByteArray& contentType);
// The parts, or nothing when the body does not start with the boundary or a
// part has no name.
std::optional<QList<MultipartPart>> parse(const QByteArray& body, const QByteArray& boundary);

} // namespace Multipart
