#pragma once

#include "foundation/dates/Date.h"

#include <QList>
#include <QString>

class AlertPresenter;
class Course;
class Day;
class Year;

// One row of the add-course day table: a weekday (position = its index,
// Sunday first) or a rotation day type (position = the type).
struct AddCourseRow {
    bool include = false;
    QString dayOfWeekName;
    int position = 0;
};

// The add-course sheet: a new course, or further days for an existing one,
// on every regular day of the chosen weekdays or day types, optionally only
// within a date range.
class AddCourseController {
public:
    enum class Tab { NewCourse = 0, ExistingCourse = 1 };
    enum class DateChoice { AllDates = 0, DateRange = 1 };

    AddCourseController(Year& year, AlertPresenter& alerts);

    // Pickers on the year's first and last date, and the day table built.
    void windowDidLoad();
    void setupDaysForNewCourseTableView();

    const QList<AddCourseRow>& rows() const { return m_rows; }
    void setIncluded(qsizetype row, bool include);

    // Only a rotating year can add by weekday instead of by day type; such
    // days become custom days, since they no longer follow their type.
    bool canChooseAddToDayOfWeek() const;
    bool addToDayOfWeek() const { return m_addToDayOfWeek; }
    void setAddToDayOfWeek(bool byWeekday);

    Tab tab() const { return m_tab; }
    void setTab(Tab tab) { m_tab = tab; }
    const QString& courseNameText() const { return m_courseNameText; }
    void setCourseNameText(const QString& text) { m_courseNameText = text; }
    // The courses tab 1 offers, by courseNumber.
    QList<Course*> existingCourses() const;
    Course* existingCourse() const { return m_existingCourse; }
    void setExistingCourse(Course* course) { m_existingCourse = course; }

    DateChoice dateChoice() const { return m_dateChoice; }
    void setDateChoice(DateChoice choice) { m_dateChoice = choice; }
    Date startDate() const { return m_startDate; }
    Date endDate() const { return m_endDate; }
    void setStartDate(Date date) { m_startDate = date; }
    void setEndDate(Date date) { m_endDate = date; }

    // Tab 1 needs a chosen course.
    bool canAdd() const;
    // Adds the course to the chosen days. A new course's name must be new and
    // not empty; otherwise the teacher is told why and the text is kept.
    // Returns whether a course was added.
    bool addCoursePressed();
    void donePressed() { m_rows.clear(); }

    bool customDayExistsWithName(const QString& name) const;

private:
    bool rotatesByType() const;
    bool createNewCourseAndAdd();
    void goThroughTableViewArrayAndAddCourse(Course* course);
    void addCourseToDays(Course* course, QList<Day*> days);
    QString unusedCustomDayName() const;

    Year& m_year;
    AlertPresenter& m_alerts;
    QList<AddCourseRow> m_rows;
    bool m_addToDayOfWeek = false;
    Tab m_tab = Tab::NewCourse;
    QString m_courseNameText;
    Course* m_existingCourse = nullptr;
    DateChoice m_dateChoice = DateChoice::AllDates;
    Date m_startDate;
    Date m_endDate;
};
