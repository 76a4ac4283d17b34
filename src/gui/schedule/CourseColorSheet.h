#pragma once

#include <QDialog>

class Course;
class QPushButton;
class Year;

// The course-colour manager: one row per course, its name and a colour
// button that opens a colour chooser.
class CourseColorSheet : public QDialog {
    Q_OBJECT
public:
    CourseColorSheet(Year& year, QWidget* window);

    // The colour buttons, in the rows' order.
    const QList<QPushButton*>& colorButtons() const { return m_buttons; }
    // What choosing a colour in the chooser does.
    void chooseColor(qsizetype row, const QColor& color);

private:
    static void showColor(QPushButton* button, const QColor& color);
    void pickColor(qsizetype row);

    QList<Course*> m_courses;
    QList<QPushButton*> m_buttons;
};
