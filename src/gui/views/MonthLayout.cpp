#include "gui/views/MonthLayout.h"

#include "foundation/dates/Clock.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QCoreApplication>

#include <algorithm>
#include <cmath>

namespace {

constexpr int daysInWeek = 7;

bool sameCalendarDay(Date a, Date b)
{
    const DateComponents left = LocalCalendar::components(a);
    const DateComponents right = LocalCalendar::components(b);
    return left.year == right.year && left.month == right.month && left.day == right.day;
}

Date firstOfMonth(Date anyDay)
{
    const DateComponents components = LocalCalendar::components(anyDay);
    return LocalCalendar::dateFromComponents(DateComponents { components.year, components.month, 1, 0, 0, 0 });
}

int daysInMonth(Date first)
{
    const Date last = LocalCalendar::addingDays(LocalCalendar::addingMonths(first, 1), -1);
    return LocalCalendar::components(last).day;
}

QString tr(const char* text)
{
    return QCoreApplication::translate("MonthLayout", text);
}

} // namespace

MonthLayout::MonthLayout(const Year* year, Date anyDayOfMonth, LessonText lessonText)
    : m_year(year)
    , m_lessonText(lessonText)
{
    const Date first = firstOfMonth(anyDayOfMonth);
    m_title = DateFormatting::formatPattern(first, QStringLiteral("MMMM y"));
    const int leadingDays = LocalCalendar::weekday(first) - 1;
    const int rows = (leadingDays + daysInMonth(first) + daysInWeek - 1) / daysInWeek;
    const int month = LocalCalendar::components(first).month;
    const Date today = Clock::now();
    for (int index = 0; index < rows * daysInWeek; ++index) {
        const Date date = LocalCalendar::addingDays(first, index - leadingDays);
        m_cells.append(makeCell(date, LocalCalendar::components(date).month == month, today));
    }
}

MonthLayout::Cell MonthLayout::makeCell(Date date, bool inMonth, Date today) const
{
    Cell cell;
    cell.date = date;
    cell.inMonth = inMonth;
    cell.isToday = sameCalendarDay(date, today);
    if (!inMonth)
        return cell;
    cell.dayOfMonth = DateFormatting::formatPattern(date, QStringLiteral("d"));
    cell.day = m_year ? m_year->getExactDayWithDate(date) : nullptr;
    if (cell.day)
        fillDayContent(cell);
    return cell;
}

void MonthLayout::fillDayContent(Cell& cell) const
{
    const Day& day = *cell.day;
    if (day.isCustomDay())
        cell.heading = day.holidayName();
    else if (!m_year->isNonRotating() && !day.isNonSchoolDay())
        cell.heading = day.rotationString();

    if (day.isNonSchoolDay()) {
        cell.kind = CellKind::NonSchool;
        cell.message = day.holidayTitle();
        return;
    }
    const QList<Lesson*> drawn = day.lessonsToDrawInOrder();
    if (drawn.isEmpty()) {
        const bool hasLessons = !day.lessons().isEmpty();
        cell.kind = hasLessons ? CellKind::NoneShown : CellKind::NoLessons;
        cell.message = hasLessons ? tr("No Courses to Show") : tr("No Courses Assigned");
        return;
    }
    cell.kind = CellKind::Lessons;
    for (Lesson* lesson : drawn) {
        const Course* course = lesson->course();
        LessonRow row;
        row.lesson = lesson;
        row.text = m_lessonText == LessonText::CourseName ? lesson->courseName() : lesson->lessonTitle();
        row.color = course ? course->color() : QColor(Qt::gray);
        cell.lessons.append(row);
    }
}

bool MonthLayout::refreshDay(const Day* day)
{
    if (!day)
        return false;
    bool shown = false;
    for (Cell& cell : m_cells) {
        if (cell.day == day) {
            cell = remade(cell);
            shown = true;
        }
    }
    return shown;
}

MonthLayout::Cell MonthLayout::remade(const Cell& cell) const
{
    Cell result = makeCell(cell.date, cell.inMonth, Clock::now());
    result.rect = cell.rect;
    if (m_lineHeight > 0)
        placeCellContent(result, m_lineHeight);
    return result;
}

void MonthLayout::setGeometry(QSizeF size, double lineHeight)
{
    m_lineHeight = lineHeight;
    const double padding = std::max(2.0, std::round(lineHeight * 0.25));
    m_titleRect = QRectF(0, 0, size.width(), std::round(lineHeight * 1.6));
    const double headerHeight = lineHeight + 2 * padding;
    const double gridTop = m_titleRect.bottom() + headerHeight;
    // One pixel is kept back so that the outer grid lines fall inside the view.
    const double columnWidth = std::max(0.0, size.width() - 1) / daysInWeek;
    const double rowHeight = std::max(0.0, size.height() - 1 - gridTop) / std::max(1, rowCount());

    m_weekdayRects.clear();
    for (int column = 0; column < daysInWeek; ++column)
        m_weekdayRects.append(QRectF(column * columnWidth, m_titleRect.bottom(), columnWidth, headerHeight));
    for (int index = 0; index < m_cells.size(); ++index) {
        Cell& cell = m_cells[index];
        const int row = index / daysInWeek;
        const int column = index % daysInWeek;
        cell.rect = QRectF(column * columnWidth, gridTop + row * rowHeight, columnWidth, rowHeight);
        placeCellContent(cell, lineHeight);
    }
}

// The first line holds the day of month and, beside it, the heading; below it
// come the message or the lesson rows, as many as fit, the last one giving way
// to a count of those left out.
void MonthLayout::placeCellContent(Cell& cell, double lineHeight) const
{
    const double padding = std::max(2.0, std::round(lineHeight * 0.25));
    const QRectF inner = cell.rect.adjusted(padding, padding, -padding, -padding);
    const double numberWidth = std::round(lineHeight * 1.6);
    cell.dayOfMonthRect = QRectF(inner.left(), inner.top(), numberWidth, lineHeight);
    cell.headingRect
        = QRectF(inner.left() + numberWidth, inner.top(), std::max(0.0, inner.width() - numberWidth), lineHeight);
    const double contentTop = inner.top() + lineHeight + padding;
    cell.messageRect = QRectF(inner.left(), contentTop, inner.width(), lineHeight);

    const double rowHeight = lineHeight + 2;
    const double spacing = 2;
    const double available = inner.bottom() - contentTop + spacing;
    const int capacity = std::max(0, int(std::floor(available / (rowHeight + spacing))));
    const int lessonCount = int(cell.lessons.size());
    const int shown = lessonCount > capacity ? std::max(0, capacity - 1) : lessonCount;
    cell.hiddenLessonCount = lessonCount - shown;
    for (int index = 0; index < lessonCount; ++index) {
        const QRectF slot(inner.left(), contentTop + index * (rowHeight + spacing), inner.width(), rowHeight);
        cell.lessons[index].rect = index < shown ? slot : QRectF();
        if (index == shown && cell.hiddenLessonCount > 0 && capacity > 0)
            cell.moreRect = slot;
    }
    if (cell.hiddenLessonCount == 0 || capacity == 0)
        cell.moreRect = QRectF();
}

const MonthLayout::Cell* MonthLayout::cellAt(QPointF point) const
{
    for (const Cell& cell : m_cells) {
        if (cell.rect.contains(point))
            return &cell;
    }
    return nullptr;
}

const MonthLayout::Cell* MonthLayout::cellForDate(Date date) const
{
    for (const Cell& cell : m_cells) {
        if (sameCalendarDay(cell.date, date))
            return &cell;
    }
    return nullptr;
}

const MonthLayout::LessonRow* MonthLayout::lessonRowAt(const Cell& cell, QPointF point) const
{
    for (const LessonRow& row : cell.lessons) {
        if (row.rect.contains(point))
            return &row;
    }
    return nullptr;
}

Lesson* MonthLayout::lessonAt(QPointF point) const
{
    const Cell* cell = cellAt(point);
    const LessonRow* row = cell ? lessonRowAt(*cell, point) : nullptr;
    return row ? row->lesson : nullptr;
}

MonthLayout::Click MonthLayout::clickAt(QPointF point) const
{
    const Click clear { PlanningNotifications::clearSelectedLesson };
    const Cell* cell = cellAt(point);
    if (!cell || !cell->day)
        return clear;
    if (const LessonRow* row = lessonRowAt(*cell, point))
        return { PlanningNotifications::lessonClicked, row->lesson };
    switch (cell->kind) {
    case CellKind::NonSchool:
        return { PlanningNotifications::nonSchoolSettingsClicked, cell->day };
    case CellKind::NoLessons:
        return { PlanningNotifications::noLessonsClicked, cell->day };
    default:
        return clear;
    }
}

MonthLayout::Click MonthLayout::doubleClickAt(QPointF point) const
{
    const Click click = clickAt(point);
    if (click.name == PlanningNotifications::lessonClicked)
        return { PlanningNotifications::lessonDoubleClicked, click.object };
    return {};
}

QString MonthLayout::moreText(int hiddenCount)
{
    return tr("+%1 more").arg(hiddenCount);
}
