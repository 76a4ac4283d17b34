#pragma once

#include "foundation/core/Result.h"

#include <QList>
#include <QString>
#include <QVariantMap>

// The teacher's library of saved lessons, shared by every document: one
// property-list dictionary whose keys "0", "1", … hold lesson dictionaries,
// each with its "position" (equal to its key).
class LessonLibrary {
public:
    // "library.plist" in the user's data folder.
    static QString defaultPath();

    explicit LessonLibrary(QString path);
    const QString& path() const { return m_path; }

    // The entries in position order; none for a missing file. A file that is
    // there but cannot be read is a failure, never an empty library: writing
    // over it would lose every lesson in it.
    Result<QList<QVariantMap>> read() const;
    // Writes the entries in the given order, numbered from 0; the folder is
    // made when missing and the file replaced only once fully written.
    Status write(const QList<QVariantMap>& entries) const;
    // Appends a lesson dictionary after the existing entries.
    Status add(const QVariantMap& lessonDictionary) const;

private:
    QString m_path;
};
