#pragma once

#include "content/StandardsImport.h"

#include <QString>

#include <optional>

class AlertPresenter;
class FileChooser;
class Standard;
class Year;

// The standards window: the year's tree of standards with adding, removing,
// importing and exporting, and the standard being edited.
class StandardsController {
public:
    static const QString exportFolderChooserTitle;

    explicit StandardsController(AlertPresenter& alerts);

    void setYear(Year* year);
    Year* year() const { return m_year; }
    Standard* rootItem() const;
    // The standard being edited: the root until another is chosen.
    Standard* editedStandard() const { return m_edited ? m_edited : rootItem(); }
    void setEditedStandard(Standard* standard) { m_edited = standard; }

    // Whether some standard's text or short name is the string, compared
    // literally but for case and accents.
    bool checkStringForStandard(const QString& string) const;
    Standard* addRootStandardWithName(const QString& text, const QString& shortName);
    // Under the first standard named `withParent`, or the root; none for an empty text.
    Standard* addStandardWithName(const QString& text, const QString& withParent);

    // A "New Standard" under the standard being edited, which it then becomes.
    Standard* addStandardPressed();
    // Each tells whoever shows the standard.
    void renameStandard(Standard& standard, const QString& shortName);
    void describeStandard(Standard& standard, const QString& text);
    // Deletes the standard being edited with its subtree, after asking when
    // lessons link to it; its parent becomes the one edited. False when
    // nothing was removed (the root, or the teacher declined).
    bool removeStandardPressed();

    // The counters of the last import.
    int added() const { return m_added; }
    int errors() const { return m_errors; }
    // Asks for a file and imports it.
    std::optional<StandardsImportReport> importFromCSV(FileChooser& files);
    // Imports the file and reports what it did in one alert; none when the
    // file could not be read at all.
    std::optional<StandardsImportReport> importFile(const QString& path);
    // Asks for a folder and exports there.
    QString exportStandards(FileChooser& files);
    // Writes every standard below the root as a standards file into the
    // folder; the path written, or empty after telling the teacher why not.
    QString exportToFolder(const QString& folder);

private:
    AlertPresenter& m_alerts;
    Year* m_year = nullptr;
    Standard* m_edited = nullptr;
    int m_added = 0;
    int m_errors = 0;
};
