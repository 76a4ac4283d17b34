#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reading what the service answers. Every reply is untrusted: an error
// page, a proxy's login page or a cut-off body must never be taken for an
// identifier or a record.
namespace SyncReplies {

// The account's year from "loggedin:<id>" (-1 when it holds none).
std::optional<qint64> loggedInYear(const QByteArray& body);
// A record's identifier: the trimmed body when it is 1 to 64 letters,
// digits, "-" or "_".
std::optional<QString> recordId(const QByteArray& body);
// Whether the body is a well-formed XML document with a root element.
bool isRecordXml(const QByteArray& body);
// The size in bytes of an attached file's copy on the service: the text of
// the third child of the root element.
std::optional<qint64> storedFileSize(const QByteArray& body);
// The last path component of a redirect's address, as an identifier.
std::optional<QString> idFromLocation(const QByteArray& location);

} // namespace SyncReplies
