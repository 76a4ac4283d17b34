#pragma once

#include "foundation/dates/Date.h"
#include "gui/views/LessonBoxCache.h"
#include "gui/views/LessonBoxText.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSet>
#include <QSizeF>
#include <QString>

#include <limits>
#include <memory>
#include <optional>

class Day;
class Lesson;
class NotificationSource;
class QTextDocument;
class Year;

// What the day and week views show and where: one column (or row) per day
// with its heading, its drawn lessons as boxes, the grey line of a day
// without lessons and the day's notes, and what a click at a point means.
// Kept free of widgets so that it can be checked without painting.
//
// A lesson's text is composed and wrapped only when its box comes near the
// part of the canvas that is shown, and then kept in a LessonBoxCache for
// the next layout. Where boxes follow one another the place of a box depends
// on the heights of those above it, so every box above the shown part is laid
// out too; boxes below it take the height their text had at that width or,
// if it is unknown, the typical height of the boxes laid out so far.
class DayColumnsLayout {
public:
    enum class Arrangement { SideBySide, Stacked };
    // In the week view a day's heading opens the day's tools; in the day view
    // it is simply part of the day.
    enum class Headings { OpenDayTools, PartOfDay };
    enum class DayKind { NonSchool, NoLessons, NoneShown, Lessons };

    // Times of day; only their hour and minute count.
    struct TimeSpan {
        Date earliest;
        Date latest;
    };

    // A stretch of the canvas from top to bottom.
    struct VerticalRange {
        double top = -std::numeric_limits<double>::infinity();
        double bottom = std::numeric_limits<double>::infinity();

        bool reaches(const QRectF& rect) const { return rect.bottom() >= top && rect.top() <= bottom; }
    };

    struct Options {
        Arrangement arrangement = Arrangement::SideBySide;
        Headings headings = Headings::PartOfDay;
        bool showNotes = false;
        bool showLessonTimes = false;
        LessonBoxText::Options text;
        // With a span the lessons sit on a time grid covering it (days side by
        // side); without one they follow one another in order.
        std::optional<TimeSpan> timeGrid;

        // The display preferences that apply to every lesson view.
        static Options fromPreferences();
    };

    struct LessonBox {
        Lesson* lesson = nullptr;
        QColor color;
        QString courseName;
        QString time;
        bool anchored = false;
        // Wrapped at the text's width; empty until the box is laid out, and
        // till then a flowing box's height is an estimate.
        std::shared_ptr<QTextDocument> text;
        QRectF rect;
        QRectF bandRect;
        QRectF nameRect;
        // In the band beside the name when both fit, else a line under it.
        QRectF timeRect;
        QRectF settingsRect;
        QRectF lockRect;
        QRectF textRect;
        // The text is longer than the box: its end is faded out.
        bool clipped = false;
    };

    struct DayColumn {
        Day* day = nullptr;
        DayKind kind = DayKind::Lessons;
        bool isToday = false;
        QString weekday;
        QString date;
        // The custom day's name, or the day type in a rotating year.
        QString dayType;
        // The grey line of a day without drawn lessons.
        QString message;
        QString notes;
        QList<LessonBox> lessons;
        QRectF rect;
        QRectF headingRect;
        QRectF messageRect;
        QRectF notesRect;
    };

    struct HourMark {
        QString label;
        double y = 0;
    };

    struct Click {
        QString name;
        NotificationSource* object = nullptr;
    };

    // The texts come from, and stay in, `texts`.
    DayColumnsLayout(
        const Year* year, const QList<Day*>& days, const Options& options, const QFont& font, LessonBoxCache& texts);

    // Makes the lesson's box again after its text, lock or assignments
    // changed, dropping its kept text whether it is shown or not; false when
    // it is not shown. Its place and text follow with the next setGeometry.
    bool refreshLesson(const Lesson* lesson);

    // Places everything in a canvas `width` wide whose visible part is
    // `viewportHeight` high: columns reach at least the bottom of the visible
    // part, and a time grid is stretched to fill it. Only boxes that reach
    // into `shown` (and flowing boxes above it) are laid out.
    void setGeometry(double width, double viewportHeight, VerticalRange shown);
    // Lays every box out.
    void setGeometry(double width, double viewportHeight) { setGeometry(width, viewportHeight, VerticalRange {}); }

    const Options& options() const { return m_options; }
    const QList<DayColumn>& columns() const { return m_columns; }
    const QList<HourMark>& hourMarks() const { return m_hourMarks; }
    // The time grid's left margin with the hour labels; empty without a grid.
    QRectF hourLabelRect() const { return m_hourLabelRect; }
    double contentHeight() const { return m_contentHeight; }
    // Narrower canvases would squeeze the day columns below legibility.
    double minimumWidth() const;
    double lineHeight() const { return m_lineHeight; }
    double padding() const { return m_padding; }
    // Headings of stacked days, and of a day shown alone, fit on one line.
    bool oneLineHeadings() const
    {
        return m_columns.size() == 1 || (m_options.arrangement == Arrangement::Stacked && !m_options.timeGrid);
    }

    const DayColumn* columnAt(QPointF point) const;
    const LessonBox* boxAt(QPointF point) const;
    const LessonBox* boxOf(const Lesson* lesson) const;
    // The notification a click at the point posts, and its object.
    Click clickAt(QPointF point) const;
    // A double click opens the lesson under it; elsewhere it adds nothing to
    // its first click.
    Click doubleClickAt(QPointF point) const;

    static double secondsOfDay(Date time);

private:
    DayColumn makeColumn(Day* day) const;
    LessonBox makeBox(Lesson* lesson) const;
    // Gives the box its text, wrapped at `width`, when `needed`, and otherwise
    // only when it is kept so already.
    void fetchText(LessonBox& box, double width, bool needed);
    void placeColumns(double width, double viewportHeight);
    void placeRows(double width);
    void placeOnTimeGrid(double width, double viewportHeight);
    // Places the message or notes from `top` on; returns the bottom.
    double placeMessage(DayColumn& column, double left, double top, double width) const;
    double placeNotes(DayColumn& column, double left, double top, double width) const;
    void placeBox(LessonBox& box, const QRectF& rect);
    // The height a flowing box starting at `top` needs for its text.
    double naturalBoxHeight(LessonBox& box, double width, double top);
    double bandHeight() const { return m_lineHeight + m_padding; }
    bool timeFitsInBand(const LessonBox& box, double width) const;
    // Where the text starts below the band and, when it needs a line, the time.
    double textOffset(const LessonBox& box, double width) const;
    double headingHeight() const;
    double minimumBoxHeight() const;
    void stretchColumnsTo(double height);

    const Year* m_year;
    LessonBoxCache& m_texts;
    Options m_options;
    QFont m_font;
    QFont m_boldFont;
    double m_lineHeight = 16;
    double m_padding = 6;
    VerticalRange m_shown;
    // Heights of the flowing boxes laid out so far: their mean stands in for
    // the boxes below the shown part.
    double m_laidOutHeights = 0;
    int m_laidOutBoxes = 0;
    QList<DayColumn> m_columns;
    // The lessons that have a box: a bump tells of thousands of lessons,
    // most of them on days not shown.
    QSet<const Lesson*> m_boxedLessons;
    QList<HourMark> m_hourMarks;
    QRectF m_hourLabelRect;
    double m_contentHeight = 0;
};
