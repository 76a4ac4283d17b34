#pragma once

#include <QByteArray>
#include <QColor>
#include <QList>
#include <QStringList>
#include <QVariantMap>

#include <optional>

// A course export file as read once from disk: the course's name and colour,
// its unit names and its lesson dictionaries. The file may come from any
// program, so each root key is taken only with its own type; a colour that
// is not our colour archive is left out rather than decoded some other way.
struct CourseFile {
    QString courseName;
    std::optional<QColor> color;
    QStringList units;
    QList<QVariantMap> lessons;

    // None when the bytes are not a property list with a dictionary at its
    // root.
    static std::optional<CourseFile> fromData(const QByteArray& data);
    static std::optional<CourseFile> read(const QString& path);
};
