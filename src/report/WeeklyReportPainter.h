#pragma once

#include "report/WeeklyReportLayout.h"

class QPainter;

// Draws a laid-out weekly grid, in points, on the screen or on a page.
class WeeklyReportPainter {
public:
    enum class Colors { Plain, Course };

    WeeklyReportPainter(const WeeklyReportLayout& layout, Colors colors);

    // The whole canvas, every box of every column.
    void paintCanvas(QPainter& painter, double canvasHeight) const;
    // One printed page (from 1) of the given height: the header and the date
    // bands again, and each column's boxes of that page.
    void paintPage(QPainter& painter, int page, double pageHeight) const;

private:
    void paintHeader(QPainter& painter) const;
    void paintColumn(QPainter& painter, const WeeklyDayColumn& column, double height,
        const QList<PlacedBox>& boxes) const;
    void paintNonSchoolLabel(QPainter& painter, const WeeklyDayColumn& column, double height) const;
    void paintBox(QPainter& painter, const PlacedBox& placed) const;

    const WeeklyReportLayout& m_layout;
    Colors m_colors;
};
