#pragma once

#include "gui/report/ReportView.h"

class QScrollArea;
class Week;
class WeeklyReportCanvas;

// The weekly report in place of the planning views, following the week the
// teacher picks.
class WeeklyReportView : public ReportView {
    Q_OBJECT
public:
    WeeklyReportView(Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* parent = nullptr);

    void setWeek(Week* week);
    Week* week() const;
    WeeklyReportCanvas* canvas() const { return m_canvas; }

    void reload() override;
    bool printTo(QPagedPaintDevice& device) override;

protected:
    void resizeEvent(QResizeEvent* event) override;
    QString mailFileName() const override { return QStringLiteral("weeklyreport.pdf"); }

private:
    QScrollArea* m_scroller = nullptr;
    WeeklyReportCanvas* m_canvas = nullptr;
};
