#pragma once

#include "foundation/notify/ObserverBag.h"

#include <QWidget>

class Lesson;
class QLabel;
class QTreeWidgetItem;
class StandardsTree;

// The standards of the lesson being edited: the year's whole tree with a
// check box on every standard, on while the lesson links to it, and the
// chosen standard's full text below.
class LessonStandardsPane : public QWidget {
public:
    explicit LessonStandardsPane(QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    void reload();

    StandardsTree* tree() const { return m_tree; }
    QLabel* description() const { return m_description; }

private:
    void itemChanged(QTreeWidgetItem* item);
    void selectionChanged();

    Lesson* m_lesson = nullptr;
    StandardsTree* m_tree = nullptr;
    QLabel* m_description = nullptr;
    bool m_loading = false;
    ObserverBag m_observers;
};
