#pragma once

#include "schedule/NewYearPlan.h"

class AlertPresenter;
class ObjectContext;
class Year;

// The new-year wizard: collects the date range, teaching weekdays, courses
// and schedule type of a new document, and builds its year. Nothing is
// inserted into the document before the build.
class CreateNewSemestraController {
public:
    enum class Page { Setup, CourseSelection };
    enum class AddCourseResult { Ignored, Added, AlreadyExists };
    // What the wizard does after a command: stay where it is (a validation
    // failed), show the course selection page, or end with the year built.
    enum class Outcome { StayOnPage, ShowCourseSelection, YearBuilt };

    // Proposes the school year around the clock's current date, taught
    // Monday to Friday.
    CreateNewSemestraController(ObjectContext& context, AlertPresenter& alerts);

    Date startDate() const { return m_plan.startDate; }
    void setStartDate(Date date) { m_plan.startDate = date; }
    Date endDate() const { return m_plan.endDate; }
    void setEndDate(Date date) { m_plan.endDate = date; }
    // Index 0 = Sunday ... 6 = Saturday.
    bool isTeachingDay(int weekday) const;
    void setTeachingDay(int weekday, bool teaches);
    NewYearPlan::Schedule schedule() const { return m_plan.schedule; }
    void setSchedule(NewYearPlan::Schedule schedule) { m_plan.schedule = schedule; }
    int rotationLength() const { return m_plan.rotationLength; }
    void setRotationLength(int length) { m_plan.rotationLength = length; }

    // The lesson fields, by their place in field order (0 to 5): the names
    // proposed for them, which the teacher may change, and whether the
    // planning views show them.
    QString fieldTitle(int field) const { return m_plan.fieldTitles.value(field); }
    void setFieldTitle(int field, const QString& title);
    bool isFieldShown(int field) const;
    void setFieldShown(int field, bool shown);

    const QStringList& courseNames() const { return m_plan.courseNames; }
    // Empty names are ignored; a name already in the list (exact comparison)
    // is refused with an alert. The name field is cleared only when added.
    AddCourseResult addCourse(const QString& name);
    // Removes the course at the row; a row outside the list (no selection)
    // does nothing.
    void deleteCourse(qsizetype row);

    Page page() const { return m_page; }
    // The second page's table; rebuilt each time the first page is left.
    const CourseSelectionTable& courseSelection() const { return m_plan.selection; }
    CourseSelectionTable& courseSelection() { return m_plan.selection; }

    // Validates the dates, the teaching days, then the courses; builds a
    // traditional year at once, or moves on to the course selection page.
    Outcome continuePressed();
    // From the course selection page: builds the weekly repeating or
    // rotating year.
    Outcome createPressed();
    // Whether the wizard may close (and the new document with it): asks
    // first when courses have been entered.
    bool closePressed();

    // The built year, once built.
    Year* year() const { return m_year; }

private:
    bool validate();
    Outcome build();

    ObjectContext& m_context;
    AlertPresenter& m_alerts;
    NewYearPlan m_plan;
    Page m_page = Page::Setup;
    Year* m_year = nullptr;
};
