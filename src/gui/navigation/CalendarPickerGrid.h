#pragma once

#include "gui/navigation/CalendarPickerDay.h"

#include <QColor>
#include <QFont>
#include <QList>
#include <QPointF>
#include <QRectF>
#include <QString>
#include <QStringList>

class Year;

// The month the calendar picker shows: one row of seven cells per week the
// month touches, the columns in the order of the locale's week, each date of
// the month with the year's day on it. It also says whether the neighbouring
// months hold any of the year, how each cell is drawn and which cell lies
// under a point, so all of it can be checked without painting.
class CalendarPickerGrid {
public:
    static constexpr int columnCount = 7;
    // The most weeks a month can touch. The grid always keeps room for them so
    // that the picker does not change height from month to month.
    static constexpr int maximumRowCount = 6;

    struct CellStyle {
        QFont font;
        QColor color;
    };

    // Shows the month of `shownDate`, with the cell of `selectedDay` selected
    // when it falls in that month.
    CalendarPickerGrid(const Year* year, Date shownDate, const Day* selectedDay = nullptr);

    Date shownDate() const { return m_shownDate; }
    // "December, 2013".
    QString title() const;
    // Whether the year has a day before or after the shown month.
    bool canGoToPreviousMonth() const;
    bool canGoToNextMonth() const;
    bool showsMonthOf(Date date) const;

    const QList<QList<CalendarPickerDay>>& weeks() const { return m_weeks; }
    int rowCount() const { return int(m_weeks.size()); }

    // Selects exactly the cells of `day`; none when it is null or not shown.
    void selectDay(const Day* day);

    // Lays the day-name row and the cells out in `area`.
    void setGeometry(const QRectF& area);
    QRectF weekdayRect(int column) const;
    QRectF cellRect(int row, int column) const;
    // The cell under `point`; null outside the cells or over an empty one.
    const CalendarPickerDay* cellAt(QPointF point) const;
    // Highlights the cell under `point` and no other; true when that changed
    // what is drawn.
    bool highlightAt(QPointF point);
    void clearHighlight() { highlightAt(QPointF(-1, -1)); }

    // The locale's short weekday names in column order.
    static QStringList weekdayNames();
    static CellStyle styleFor(const CalendarPickerDay& cell);
    static QFont weekdayFont();
    static QFont numberFont(QFont::Weight weight);

private:
    void fillMonth();

    const Year* m_year;
    Date m_shownDate;
    QList<QList<CalendarPickerDay>> m_weeks;
    QRectF m_area;
};
