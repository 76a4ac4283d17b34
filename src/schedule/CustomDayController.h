#pragma once

#include <QList>
#include <QString>

class AlertPresenter;
class Course;
class Day;

// The custom-day sheet. Tab 0 gives the day a new named set of courses; tab 1
// gives it the courses and meeting times of an existing custom day.
class CustomDayController {
public:
    enum Tab { NewCustomDay = 0, ExistingCustomDay = 1 };
    enum class Outcome { StayOpen, Closed };

    struct CourseRow {
        bool add = false;
        Course* course = nullptr;
    };
    struct CustomDayRow {
        QString name;
        Day* day = nullptr;
        // "name on date".
        QString title() const;
    };

    explicit CustomDayController(AlertPresenter& alerts);

    // Sets the sheet up for the day; both lists are built again each time.
    void showFor(Day* day);
    Day* day() const { return m_day; }

    int tab() const { return m_tab; }
    void setTab(int tab) { m_tab = tab; }
    QString name() const { return m_name; }
    void setName(const QString& name) { m_name = name; }

    const QList<CourseRow>& courseRows() const { return m_courseRows; }
    void setCourseMarked(qsizetype row, bool add);
    const QList<CustomDayRow>& customDayRows() const { return m_customDayRows; }
    bool isCustomDayListShown() const { return !m_customDayRows.isEmpty(); }
    qsizetype selectedCustomDay() const { return m_selectedCustomDay; }
    void setSelectedCustomDay(qsizetype row) { m_selectedCustomDay = row; }

    // Whether the create command can act: tab 1 needs a selected custom day.
    bool canCreate() const;
    Outcome createCustomPressed();
    void cancelPressed();

private:
    void makeCourseArray();
    void makeCustomDayArray();
    QList<Course*> markedCourses() const;
    Outcome createNew();
    Outcome applyExisting();
    void finish();

    AlertPresenter& m_alerts;
    Day* m_day = nullptr;
    int m_tab = NewCustomDay;
    QString m_name;
    QList<CourseRow> m_courseRows;
    QList<CustomDayRow> m_customDayRows;
    qsizetype m_selectedCustomDay = -1;
};
