#pragma once

#include "foundation/dates/Date.h"

#include <QList>
#include <QString>

#include <functional>

class AlertPresenter;
class Course;
class FileChooser;
class Year;

// The export sheet: one course, whole or between two days, written as a
// course export file into a folder the teacher chooses.
class ExportCourseController {
public:
    enum class Range { EntireCourse = 0, DateRange = 1 };
    // Hears how many lessons were written so far, and of how many.
    using Progress = std::function<void(qsizetype written, qsizetype total)>;

    ExportCourseController(Year& year, AlertPresenter& alerts, FileChooser& files);

    // Both dates on the year's bounds. The other choices are kept from the
    // last time the sheet was open.
    void windowDidLoad();

    // The courses of the pop-up, by name.
    QList<Course*> courses() const;
    // The pop-up's course; the first course until another is chosen.
    Course* selectedCourse() const;
    void setSelectedCourseName(const QString& name) { m_courseName = name; }

    Range range() const { return m_range; }
    void setRange(Range range) { m_range = range; }
    Date startDate() const { return m_startDate; }
    Date endDate() const { return m_endDate; }
    // A changed date means the teacher wants a range.
    void dateChanged(Date start, Date end);

    void setProgress(Progress progress) { m_progress = std::move(progress); }

    // Asks for a folder and writes the file there. The path written, or empty
    // when the teacher cancelled or the file could not be written (after
    // telling the teacher); the sheet stays open then.
    QString exportPressed();
    // The same into a known folder.
    QString exportToFolder(const QString& folder);

private:
    Year& m_year;
    AlertPresenter& m_alerts;
    FileChooser& m_files;
    QString m_courseName;
    Range m_range = Range::EntireCourse;
    Date m_startDate;
    Date m_endDate;
    Progress m_progress;
};
