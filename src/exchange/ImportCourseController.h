#pragma once

#include "exchange/CourseFile.h"
#include "exchange/CourseImport.h"
#include "foundation/dates/Date.h"

#include <QList>
#include <QString>

#include <optional>

class AlertPresenter;
class Course;
class Day;
struct OpenPanelRequest;
class Year;

// One row of the import sheet's schedule table: "All Days", a weekday
// (position = its index, Sunday first) or a rotation day type.
struct ImportScheduleRow {
    QString dayOfWeek;
    int position = 0;
    bool include = true;
};

// The import sheet: a course file read once when the sheet opens, laid onto
// a new course or over an existing one from a chosen day on.
class ImportCourseController {
public:
    ImportCourseController(Year& year, AlertPresenter& alerts);

    // What the open panel asks: one ".plist" file, from the home folder.
    static OpenPanelRequest openPanelRequest();

    // Reads the file and sets up the table and both dates (the year's first
    // day). A file that cannot be read leaves the sheet able to say so.
    void setFilePath(const QString& path);
    const QString& filePath() const { return m_filePath; }
    bool hasReadableFile() const { return m_file.has_value(); }
    QString topText() const;

    const QList<ImportScheduleRow>& tableViewArray() const { return m_rows; }
    // A traditional year meets every day: its one row only informs.
    bool tableIsConsulted() const;
    void setIncluded(qsizetype row, bool include);

    QList<Course*> courses() const;
    Course* chosenCourse() const { return m_chosenCourse; }
    void setChosenCourse(Course* course) { m_chosenCourse = course; }
    Date addNewDate() const { return m_addNewDate; }
    Date addExistingDate() const { return m_addExistingDate; }
    // Dates are kept within the year.
    void setAddNewDate(Date date) { m_addNewDate = withinYear(date); }
    void setAddExistingDate(Date date) { m_addExistingDate = withinYear(date); }

    void setProgress(CourseImport::Progress progress) { m_progress = std::move(progress); }

    // The days a new course gets a slot on, from the year's kind of schedule
    // and, unless it is traditional, the ticked rows.
    QList<Day*> daysForNewCourse() const;
    // The new course, or none when the teacher cancelled or the file could
    // not be read (the sheet stays open then).
    Course* importNewPressed();
    // Whether the lessons were placed.
    bool importExistingPressed();

private:
    void setupTableView();
    bool refuseUnreadableFile();
    Date withinYear(Date date) const;
    CourseImport importer();

    Year& m_year;
    AlertPresenter& m_alerts;
    QString m_filePath;
    std::optional<CourseFile> m_file;
    QList<ImportScheduleRow> m_rows;
    Course* m_chosenCourse = nullptr;
    Date m_addNewDate;
    Date m_addExistingDate;
    CourseImport::Progress m_progress;
};
