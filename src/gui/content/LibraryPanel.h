#pragma once

#include "content/LibraryController.h"
#include "foundation/notify/ObserverBag.h"
#include "gui/content/AttachedPanel.h"

class QLabel;
class QLineEdit;
class QListWidget;
class QListWidgetItem;
class QPushButton;

// The lesson library in its panel: the saved lessons by title, a filter,
// titles edited in place, removing, and rows dragged out onto a lesson.
class LibraryPanel : public AttachedPanel {
    Q_OBJECT
public:
    LibraryPanel(AlertPresenter& alerts, QWidget* window, const QString& libraryPath = LessonLibrary::defaultPath());

    // Reads the library again and shows it, the first row selected.
    void reload();

    LibraryController& controller() { return m_controller; }
    QLineEdit* searchField() const { return m_search; }
    QListWidget* table() const { return m_table; }
    QLabel* statusLabel() const { return m_status; }
    QPushButton* removeButton() const { return m_remove; }

private:
    void fill();
    void titleEdited(QListWidgetItem* item);
    void removeSelected();

    LibraryController m_controller;
    QLineEdit* m_search = nullptr;
    QListWidget* m_table = nullptr;
    QLabel* m_status = nullptr;
    QPushButton* m_remove = nullptr;
    bool m_filling = false;
    ObserverBag m_observers;
};
