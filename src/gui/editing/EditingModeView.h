#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QWidget>

class Course;
class Lesson;
class QListWidget;
class SidePanel;
class Year;

// Editing mode: every lesson of one course down the left, the chosen one
// beside it, and the way back to planning. Picking a row posts the choice so
// that everything showing the document's selection follows it.
class EditingModeView : public QWidget {
public:
    EditingModeView(Year& year, Lesson* lesson, QWidget* parent = nullptr);

    Lesson* lesson() const { return m_lesson; }
    QListWidget* lessonList() const { return m_list; }
    SidePanel* lessonPanel() const { return m_panel; }

private:
    void observeDocument();
    void rebuildList();
    void showLesson(Lesson* lesson);
    void rowPicked(int row);
    QString rowText(const Lesson& lesson) const;

    Year& m_year;
    Lesson* m_lesson = nullptr;
    QList<Lesson*> m_lessons;
    QListWidget* m_list = nullptr;
    SidePanel* m_panel = nullptr;
    ObserverBag m_observers;
};
