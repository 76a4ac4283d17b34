#pragma once

#include <QObject>

class DocumentWindow;
class QAction;
class QDialog;
class QMenu;

// The Courses menu: adding and removing courses, their colours, their
// meeting times, and moving the plan to the next school year. Each command
// opens its sheet over the window and is enabled only when it can act.
class CourseActions : public QObject {
    Q_OBJECT
public:
    explicit CourseActions(DocumentWindow& window);

    void addToMenu(QMenu* menu);
    void updateStates();

    QAction* addCourseAction() const { return m_addCourse; }
    QAction* removeCourseAction() const { return m_removeCourse; }
    QAction* courseColorsAction() const { return m_courseColors; }
    QAction* assignTimesAction() const { return m_assignTimes; }
    QAction* migrateAction() const { return m_migrate; }

    // The sheet a command shows, while it shows.
    QDialog* openSheet() const { return m_sheet; }

private:
    QAction* makeAction(const QString& text, void (CourseActions::*command)());
    void addCourse();
    void removeCourse();
    void changeCourseColors();
    void assignCourseTimes();
    void migrateYear();
    // Shows the sheet; when it ends the views, the picker and the course list reload.
    void show(QDialog* sheet);
    void sheetEnded();

    DocumentWindow& m_window;
    QAction* m_addCourse = nullptr;
    QAction* m_removeCourse = nullptr;
    QAction* m_courseColors = nullptr;
    QAction* m_assignTimes = nullptr;
    QAction* m_migrate = nullptr;
    QDialog* m_sheet = nullptr;
};
