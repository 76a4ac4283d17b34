#pragma once

#include "foundation/notify/ObserverBag.h"
#include "planning/LessonWatch.h"

#include <QSet>
#include <QWidget>

class Lesson;
class QLabel;
class QTreeWidgetItem;
class Standard;
class StandardsTree;
class Year;

// The standards of the lesson being edited: the year's whole tree with a
// check box on every standard, on while the lesson links to it, and the
// chosen standard's full text below. The tree follows standards added,
// removed and renamed in the standards window, and the ticks follow links
// made or undone elsewhere.
class LessonStandardsPane : public QWidget {
    Q_OBJECT
public:
    explicit LessonStandardsPane(QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    // Builds the tree again from the year's standards.
    void reload();

    StandardsTree* tree() const { return m_tree; }
    QLabel* description() const { return m_description; }

private:
    void itemChanged(QTreeWidgetItem* item);
    void selectionChanged();
    // Ticks what the lesson links to now, touching only the rows that change.
    void showLinks();
    QSet<const Standard*> linkedStandards() const;
    // The year of the lesson, none for no lesson or a deleted one.
    Year* shownYear() const;
    void standardChanged(const Standard* standard);

    Lesson* m_lesson = nullptr;
    StandardsTree* m_tree = nullptr;
    QLabel* m_description = nullptr;
    // The standards whose rows are ticked.
    QSet<const Standard*> m_ticked;
    // The year whose standards the tree holds.
    const Year* m_treeYear = nullptr;
    bool m_loading = false;
    ObserverBag m_observers;
    LessonWatch m_watch;
};
