#pragma once

#include <QString>
#include <QVariantMap>

#include <optional>

class AlertPresenter;
class Unit;

// Writes a unit's lessons as a course export file into a folder the teacher
// chose, and tells the teacher where it went.
class UnitExport {
public:
    static const QString folderChooserTitle;

    explicit UnitExport(AlertPresenter& alerts);

    // The path written, or empty after telling the teacher it failed.
    QString exportUnit(const Unit& unit, const QString& folder);

    // "<course>-<time stamp>.plist" with "/" in the course name made "_",
    // numbered " 2", " 3", … when the folder already holds that name, so
    // that two exports in the same second both survive.
    static QString freeFileName(const QString& folder, const QString& courseName, const QString& stamp);
    // Writes a course export file under a free name stamped with the current
    // time; the name written, or none when the folder took no file.
    static std::optional<QString> writeFile(
        const QString& folder, const QString& courseName, const QVariantMap& dictionary);

private:
    AlertPresenter& m_alerts;
};
