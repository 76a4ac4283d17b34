#pragma once

#include "foundation/dates/Date.h"

#include <QColor>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QSizeF>
#include <QString>

class Day;
class Lesson;
class NotificationSource;
class Year;

// What the month view shows and where: a Sunday-first grid of the weeks that
// touch one month, each date's texts and lesson rows, and what a click at a
// point means. Kept free of widgets so that it can be checked without painting.
class MonthLayout {
public:
    enum class CellKind { Blank, NonSchool, NoLessons, NoneShown, Lessons };

    struct LessonRow {
        Lesson* lesson = nullptr;
        QString text;
        QColor color;
        QRectF rect;
    };

    struct Cell {
        Date date;
        Day* day = nullptr;
        bool inMonth = false;
        bool isToday = false;
        CellKind kind = CellKind::Blank;
        QString dayOfMonth;
        // The custom day's name, or the day type in a rotating year.
        QString heading;
        // The grey line of a day without drawn lessons.
        QString message;
        QList<LessonRow> lessons;
        QRectF rect;
        QRectF dayOfMonthRect;
        QRectF headingRect;
        QRectF messageRect;
        // Rows left out because the cell is too short, counted on one line.
        int hiddenLessonCount = 0;
        QRectF moreRect;
    };

    struct Click {
        QString name;
        NotificationSource* object = nullptr;
    };

    enum class LessonText { CourseName, LessonTitle };

    MonthLayout(const Year* year, Date anyDayOfMonth, LessonText lessonText);

    // Places the cells in a view of `size` for text lines of `lineHeight`.
    void setGeometry(QSizeF size, double lineHeight);
    // Reads the day's cell again, after its lessons' texts changed, and
    // places its content in the cell's place; false when no cell shows it.
    bool refreshDay(const Day* day);

    QString title() const { return m_title; }
    const QList<Cell>& cells() const { return m_cells; }
    int rowCount() const { return int(m_cells.size()) / 7; }
    QRectF titleRect() const { return m_titleRect; }
    QList<QRectF> weekdayHeaderRects() const { return m_weekdayRects; }

    const Cell* cellAt(QPointF point) const;
    Lesson* lessonAt(QPointF point) const;
    // The cell of the calendar day of `date`, if the grid shows it.
    const Cell* cellForDate(Date date) const;
    // The notification a click at the point posts, and its object.
    Click clickAt(QPointF point) const;
    // A double click opens the lesson under it; elsewhere it means nothing more
    // than its first click.
    Click doubleClickAt(QPointF point) const;

    static QString moreText(int hiddenCount);

private:
    Cell makeCell(Date date, bool inMonth, Date today) const;
    void fillDayContent(Cell& cell) const;
    // The cell as made from its day, in the place it had.
    Cell remade(const Cell& cell) const;
    void placeCellContent(Cell& cell, double lineHeight) const;
    const LessonRow* lessonRowAt(const Cell& cell, QPointF point) const;

    const Year* m_year;
    LessonText m_lessonText;
    QString m_title;
    QList<Cell> m_cells;
    // Zero until the cells are placed.
    double m_lineHeight = 0;
    QRectF m_titleRect;
    QList<QRectF> m_weekdayRects;
};
