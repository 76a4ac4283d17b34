#pragma once

#include "gui/views/BoxTextImages.h"
#include "gui/views/DayColumnsLayout.h"
#include "gui/views/ShapedLines.h"

#include <QFont>

class Lesson;
class QPainter;

// Paints what a DayColumnsLayout placed: days with their headings, lesson
// boxes in their course colours (the selected one outlined), the time grid
// and the notes.
class DayColumnsPainter {
public:
    // What is drawn the same from one paint to the next: single lines
    // shaped once and lesson texts drawn into images.
    struct Kept {
        ShapedLines lines;
        BoxTextImages texts;
    };

    // Lines and texts come from, and stay in, `kept`.
    DayColumnsPainter(
        QPainter& painter, const DayColumnsLayout& layout, const QFont& font, const Lesson* selected, Kept& kept);

    // Paints what lies in `exposed`; everything else is left alone.
    void paint(const QRectF& exposed);

private:
    void paintHourLabels(const QRectF& exposed);
    void paintDay(const DayColumnsLayout::DayColumn& column, const QRectF& exposed);
    void paintHeading(const DayColumnsLayout::DayColumn& column);
    void paintBox(const DayColumnsLayout::LessonBox& box);
    void paintBand(const DayColumnsLayout::LessonBox& box, const QColor& ink);
    void paintBoxText(const DayColumnsLayout::LessonBox& box, const QColor& fill);
    void paintText(QPainter& painter, const DayColumnsLayout::LessonBox& box, const QColor& fill) const;
    void paintLock(const QRectF& rect, const QColor& ink);
    void paintNotes(const DayColumnsLayout::DayColumn& column);
    void paintLine(const QRectF& rect, const QString& text, Qt::Alignment alignment);

    QPainter& m_painter;
    const DayColumnsLayout& m_layout;
    QFont m_font;
    QFont m_bold;
    const Lesson* m_selected;
    Kept& m_kept;
};
