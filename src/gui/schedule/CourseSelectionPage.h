#pragma once

#include <QWidget>

class CourseSelectionTable;
class QLabel;
class QTableWidget;

// The wizard's second page: a check box for every course and weekday (or
// rotation day). Ticks go straight into the controller's table.
class CourseSelectionPage : public QWidget {
    Q_OBJECT
public:
    explicit CourseSelectionPage(QWidget* parent = nullptr);

    // Shows a freshly built table; the page edits it until it is shown again.
    void showTable(CourseSelectionTable& table);

private:
    void nameTicks(int column, const QStringList& courses, const QString& header) const;
    void hugContents();
    QWidget* createTick(CourseSelectionTable& table, int row, const QString& columnIdentifier);

    QLabel* m_explanation = nullptr;
    QTableWidget* m_grid = nullptr;
};
