#pragma once

#include "content/SearchResultsController.h"
#include "gui/content/AttachedPanel.h"

class QLabel;
class QListWidget;

// The search results in their panel: a date badge, title and course per
// found lesson. Return, the right arrow, a double click or a row's go arrow
// shows the lesson in the planning views.
class SearchResultsPanel : public AttachedPanel {
    Q_OBJECT
public:
    explicit SearchResultsPanel(QWidget* window);

    void setYear(Year* year) { m_controller.setYear(year); }
    void searchForString(const QString& term);
    // Focus moves from the search field into the results, the first selected.
    void focusResults();

    SearchResultsController& controller() { return m_controller; }
    QListWidget* table() const { return m_table; }
    QLabel* emptyLabel() const { return m_empty; }

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void choose();

    SearchResultsController m_controller;
    QListWidget* m_table = nullptr;
    QLabel* m_empty = nullptr;
};
