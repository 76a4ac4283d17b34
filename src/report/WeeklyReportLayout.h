#pragma once

#include <QList>
#include <QRectF>
#include <QString>

#include <memory>
#include <vector>

class Day;
class Lesson;
class LessonReportInformation;
class QTextDocument;
class Week;

// One lesson's box in a weekly column: its text and the heights it wants
// and gets (all boxes of a week get the tallest one's height when the
// settings fix the size).
struct WeeklyLessonBox {
    Lesson* lesson = nullptr;
    std::unique_ptr<QTextDocument> text;
    double desiredSize = 0;
    double currentSize = 0;
};

struct WeeklyDayColumn {
    Day* day = nullptr;
    std::vector<WeeklyLessonBox> boxes;
};

// Where a box is drawn, in its column's coordinates, and which stretch of
// its text the frame shows: a box taller than a printed page is continued
// on the pages after it.
struct PlacedBox {
    const WeeklyLessonBox* box = nullptr;
    QRectF frame;
    double textTop = 0;
    double textHeight = 0;
};

// The weekly grid in points: one column per day of the week, a date band
// atop each, the lesson boxes stacked under it, an optional header across
// the top. Pages for print repeat the header and the date bands and split
// each column between boxes; only a box taller than a page is split, between
// two lines of its text, and continued on the next page.
class WeeklyReportLayout {
public:
    static constexpr double dateBandHeight = 20;
    static constexpr double headerGap = 5;
    static constexpr double dateFontSize = 12;
    static constexpr double labelFontSize = 36;
    // Below this a non-school label is cut short rather than shrunk.
    static constexpr double smallestLabelFontSize = 8;

    WeeklyReportLayout(Week& week, LessonReportInformation& settings);
    ~WeeklyReportLayout();

    // Rebuilds every column and box for a canvas of this width.
    void reload(double width);

    double width() const { return m_width; }
    double columnWidth() const;
    const std::vector<WeeklyDayColumn>& columns() const { return m_columns; }
    const QTextDocument* header() const { return m_header.get(); }
    // The header's height, and the band it takes with the gap below it.
    double headerHeight() const;
    double headerBand() const;
    // The tallest column, date band included; every column is drawn this tall.
    double maxDayViewHeight() const { return m_maxDayViewHeight; }
    // Header band and columns, or the visible height when that is larger.
    double canvasHeight(double visibleHeight) const;

    // Boxes stacked under the date band, as on screen.
    QList<PlacedBox> boxesOnCanvas(const WeeklyDayColumn& column) const;

    // Printing. The lesson area is what a page leaves under the header band
    // and the date band.
    double lessonArea(double pageHeight) const;
    int pageCount(double pageHeight) const;
    // The boxes of page `page` (from 1), the last lengthened to the bottom
    // of the lesson area.
    QList<PlacedBox> boxesOnPage(const WeeklyDayColumn& column, int page, double pageHeight) const;
    // Splits boxes of these heights into pages of the given area: a page
    // ends before the box that would overfill it, and a box taller than
    // the area gets a page of its own. Each page lists box indices.
    static QList<QList<int>> splitIntoPages(const QList<double>& sizes, double area);
    // Where each printed part of a box of this height begins in its text:
    // every part fits the area and ends before a line that would cross its
    // bottom (a single line taller than the area is cut).
    static QList<double> partTops(const QTextDocument& text, double height, double area);

    // "Mon. Sep 8, 2025", with the rotation day or the custom day's name.
    static QString dateText(const Day& day);
    static QString nonSchoolLabel(const Day& day);
    // The size (36 points, shrinking by 4, never below 8) and text (elided
    // when even the smallest size is too wide) that fit `available` points.
    static std::pair<double, QString> fitLabel(const QString& label, double available);

private:
    // One printed part of a box: all of it unless it is taller than a page.
    struct BoxPart {
        int box = 0;
        double top = 0;
        double height = 0;
    };

    void sizeBoxes();
    static QList<BoxPart> partsOf(const WeeklyDayColumn& column, double area);
    static QList<double> heightsOf(const QList<BoxPart>& parts);

    Week& m_week;
    LessonReportInformation& m_settings;
    double m_width = 0;
    double m_maxDayViewHeight = 0;
    std::unique_ptr<QTextDocument> m_header;
    std::vector<WeeklyDayColumn> m_columns;
};
