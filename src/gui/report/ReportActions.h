#pragma once

#include <QObject>

#include <functional>

class DocumentWindow;
class PlanningArea;
class QAction;
class QMenu;
class QPagedPaintDevice;
class ReportView;

// The Reports menu and the Print command. A report shows in front of the
// planning views or editing mode until the teacher returns or opens
// another. Print prints the report on screen, or one made for what the
// planning views show: the week in the week view, the current day
// otherwise. Editing mode has nothing of its own to print.
class ReportActions : public QObject {
    Q_OBJECT
public:
    using PrintJob = std::function<bool(QPagedPaintDevice&)>;

    explicit ReportActions(DocumentWindow& window);

    void addToMenu(QMenu* menu);
    // The weekly report follows the planning area's current day.
    void bind(PlanningArea* area);

    void openWeeklyReport();
    void openDailyReport();
    void openUnitReport();
    void openStandardsReport();
    void closeReport();
    void printDocument();
    // What Print would print now; none when there is nothing to print. The
    // job keeps its own date range, never the one stored in the settings.
    PrintJob printJob() const;

    ReportView* currentReport() const { return m_current; }
    QAction* printAction() const { return m_print; }

private:
    void show(ReportView* report);
    void followCurrentDay();
    void updateStates();

    DocumentWindow& m_window;
    PlanningArea* m_area = nullptr;
    ReportView* m_current = nullptr;
    QAction* m_print = nullptr;
};
