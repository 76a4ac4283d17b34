#include "gui/report/ReportActions.h"

#include "gui/report/TextReportView.h"
#include "gui/report/WeeklyReportView.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "gui/window/ShownSelection.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Week.h"
#include "model/Year.h"
#include "report/ReportPdf.h"
#include "report/TextReports.h"

#include <QAction>
#include <QMenu>
#include <QStackedWidget>
#include <QTextDocument>

ReportActions::ReportActions(DocumentWindow& window)
    : QObject(&window)
    , m_window(window)
{
    connect(&window.shownSelection(), &ShownSelection::changed, this, &ReportActions::updateStates);
}

void ReportActions::addToMenu(QMenu* menu)
{
    menu->addAction(QStringLiteral("Weekly Report"), this, &ReportActions::openWeeklyReport);
    menu->addAction(QStringLiteral("Daily Lesson Plan"), this, &ReportActions::openDailyReport);
    menu->addAction(QStringLiteral("Unit Report"), this, &ReportActions::openUnitReport);
    menu->addAction(QStringLiteral("Standards Report"), this, &ReportActions::openStandardsReport);
    menu->addSeparator();
    m_print = menu->addAction(QStringLiteral("Print…"), QKeySequence::Print, this, &ReportActions::printDocument);
    updateStates();
}

void ReportActions::updateStates()
{
    const ShownSelection::Mode mode = m_window.shownSelection().mode();
    if (m_print)
        m_print->setEnabled(mode == ShownSelection::Mode::Planning || mode == ShownSelection::Mode::Report);
}

void ReportActions::bind(PlanningArea* area)
{
    m_area = area;
    connect(area, &PlanningArea::selectionChanged, this, &ReportActions::followCurrentDay);
    connect(area, &PlanningArea::viewChanged, this, &ReportActions::followCurrentDay);
}

void ReportActions::followCurrentDay()
{
    auto* weekly = qobject_cast<WeeklyReportView*>(m_current);
    const Day* day = m_area ? m_area->controller().currentDay() : nullptr;
    if (weekly && day)
        weekly->setWeek(day->week());
}

void ReportActions::openWeeklyReport()
{
    Year* year = m_window.document().getCurrentYear();
    if (!year)
        return;
    auto* report = new WeeklyReportView(*year, m_window.alerts(), m_window.files());
    show(report);
    followCurrentDay();
}

void ReportActions::openDailyReport()
{
    if (Year* year = m_window.document().getCurrentYear())
        show(new TextReportView(TextReportView::Kind::Daily, *year, m_window.alerts(), m_window.files()));
}

void ReportActions::openUnitReport()
{
    if (Year* year = m_window.document().getCurrentYear())
        show(new TextReportView(TextReportView::Kind::Unit, *year, m_window.alerts(), m_window.files()));
}

void ReportActions::openStandardsReport()
{
    if (Year* year = m_window.document().getCurrentYear())
        show(new TextReportView(TextReportView::Kind::Standards, *year, m_window.alerts(), m_window.files()));
}

void ReportActions::show(ReportView* report)
{
    QStackedWidget* modes = m_window.modes();
    if (!modes) {
        delete report;
        return;
    }
    if (m_current)
        closeReport();
    m_current = report;
    modes->addWidget(report);
    connect(report, &ReportView::returnToPlanningRequested, this, &ReportActions::closeReport);
    m_window.shownSelection().setReport(report);
}

void ReportActions::closeReport()
{
    if (!m_current)
        return;
    // Deleted later: the request may come from one of the report's buttons.
    m_current->deleteLater();
    m_current = nullptr;
    m_window.shownSelection().setReport(nullptr);
}

ReportActions::PrintJob ReportActions::printJob() const
{
    QStackedWidget* modes = m_window.modes();
    QWidget* shown = modes ? modes->currentWidget() : nullptr;
    if (ReportView* report = qobject_cast<ReportView*>(shown))
        return [report](QPagedPaintDevice& device) { return report->printTo(device); };
    Year* year = m_window.document().getCurrentYear();
    const Day* day = m_area ? m_area->controller().currentDay() : nullptr;
    if (!year || !day || shown != m_area)
        return {};
    if (m_area->controller().selectedView() == PlanningModeViewController::WeekMode) {
        Week* week = day->week();
        return [year, week](QPagedPaintDevice& device) {
            return week && ReportPdf::printWeekly(*week, *year->reportInformation(), device);
        };
    }
    const Date date = day->actualDate();
    return [year, date](QPagedPaintDevice& device) {
        const auto plan = TextReports::dailyPlan(*year, date, date);
        return ReportPdf::printText(*plan, device);
    };
}

void ReportActions::printDocument()
{
    if (const PrintJob job = printJob())
        ReportView::printWithDialog(&m_window, m_window.alerts(), job);
}
