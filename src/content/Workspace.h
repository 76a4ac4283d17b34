#pragma once

#include <QString>
#include <QUrl>

// The desktop's handling of files and addresses, behind an interface so that
// opening attachments can be checked without launching programs.
class Workspace {
public:
    virtual ~Workspace() = default;

    // Whether the desktop has a program set to open files like this one.
    virtual bool hasApplicationFor(const QString& path) const = 0;
    // Hands the file or address to its default program; false when that
    // could not be started.
    virtual bool open(const QUrl& url) = 0;
};
