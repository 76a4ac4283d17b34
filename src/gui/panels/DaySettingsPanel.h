#pragma once

#include <QWidget>

class Day;
class QLabel;
class QPushButton;

// The side panel's tools for a school day: make it a non-school day, make it
// a custom day, add a course to it and, in a rotating year, restart the
// rotation from it. For a day without lessons the panel says so and leaves
// the restart out. The sheets are shown by the panel's owner.
class DaySettingsPanel : public QWidget {
    Q_OBJECT
public:
    enum class Kind { WithLessons, WithoutLessons };

    explicit DaySettingsPanel(Kind kind, QWidget* parent = nullptr);

    void setDay(Day* day);
    QPushButton* restartRotationButton() const { return m_restartRotation; }

signals:
    void makeCustomDayRequested(Day* day);
    void addCourseRequested(Day* day);
    void restartRotationRequested(Day* day);

private:
    Kind m_kind;
    Day* m_day = nullptr;
    QLabel* m_title = nullptr;
    QPushButton* m_makeNonSchool = nullptr;
    QPushButton* m_makeCustom = nullptr;
    QPushButton* m_addCourse = nullptr;
    QPushButton* m_restartRotation = nullptr;
};
