#include "gui/report/WeeklyReportView.h"

#include "gui/report/WeeklyReportCanvas.h"
#include "model/LessonReportInformation.h"
#include "report/ReportPdf.h"

#include <QScrollArea>

WeeklyReportView::WeeklyReportView(Year& year, AlertPresenter& alerts, FileChooser& files, QWidget* parent)
    : ReportView(year, alerts, files, parent)
{
    addSettingSwitch(QStringLiteral("Same size boxes"), QStringLiteral("weeklyReportFixLessonSize"));
    addSettingSwitch(QStringLiteral("Course colours"), QStringLiteral("weeklyReportShowColors"));
    addSizeSetting(QStringLiteral("weeklyReportBaseFontSize"));
    addHeaderSetting(QStringLiteral("weeklyReportHeader"));
    m_scroller = new QScrollArea(this);
    m_scroller->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scroller->setAccessibleName(tr("Weekly report"));
    // A scroll bar that came and went would change the width the week is laid out at.
    m_scroller->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_canvas = new WeeklyReportCanvas(settings(), m_scroller);
    m_scroller->setWidget(m_canvas);
    setBody(m_scroller);
}

void WeeklyReportView::setWeek(Week* week)
{
    if (week == m_canvas->week())
        return;
    m_canvas->setWeek(week);
    reload();
}

Week* WeeklyReportView::week() const
{
    return m_canvas->week();
}

void WeeklyReportView::reload()
{
    m_canvas->reload(m_scroller->viewport()->size());
}

bool WeeklyReportView::printTo(QPagedPaintDevice& device)
{
    return week() && ReportPdf::printWeekly(*week(), settings(), device);
}

void WeeklyReportView::resizeEvent(QResizeEvent* event)
{
    ReportView::resizeEvent(event);
    reload();
}
