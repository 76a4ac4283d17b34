#include "gui/report/WeeklyReportCanvas.h"

#include "model/LessonReportInformation.h"
#include "report/WeeklyReportPainter.h"

#include <QPainter>

WeeklyReportCanvas::WeeklyReportCanvas(LessonReportInformation& settings, QWidget* parent)
    : QWidget(parent)
    , m_settings(settings)
{ }

WeeklyReportCanvas::~WeeklyReportCanvas() = default;

void WeeklyReportCanvas::setWeek(Week* week)
{
    m_week = week;
    m_layout = week ? std::make_unique<WeeklyReportLayout>(*week, m_settings) : nullptr;
}

void WeeklyReportCanvas::reload(QSize visible)
{
    if (!m_layout) {
        resize(visible);
        return;
    }
    m_layout->reload(visible.width());
    resize(visible.width(), int(std::ceil(m_layout->canvasHeight(visible.height()))));
    update();
}

void WeeklyReportCanvas::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    if (!m_layout) {
        painter.fillRect(rect(), Qt::white);
        return;
    }
    const auto colors = m_settings.value<bool>(u"weeklyReportShowColors") ? WeeklyReportPainter::Colors::Course
                                                                          : WeeklyReportPainter::Colors::Plain;
    WeeklyReportPainter(*m_layout, colors).paintCanvas(painter, height());
}
