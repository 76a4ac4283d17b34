#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// A stored reference to a user-chosen file or folder. Sandboxed desktops need
// an access grant stored with the path; Linux needs only the path, so a
// bookmark is the file's URL and starting or stopping access does nothing.
// The bytes are what records keep in their bookmark attributes.
class FileBookmark {
public:
    static QByteArray fromPath(const QString& absolutePath);
    // The path the bookmark points at, or nothing for empty or foreign data.
    static std::optional<QString> resolve(const QByteArray& bookmark);

    static bool startAccessing(const QString&) { return true; }
    static void stopAccessing(const QString&) { }
};
