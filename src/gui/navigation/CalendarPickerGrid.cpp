#include "gui/navigation/CalendarPickerGrid.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "model/Day.h"
#include "model/Year.h"

#include <QGuiApplication>

#include <cmath>

namespace {

// Logical pixels rather than points, so that the grid keeps its proportions
// whatever resolution the screen reports.
constexpr int cellPixelSize = 13;

const QColor selectedColor = QColor::fromRgbF(1.0f / 3, 1.0f / 3, 1.0f / 3);
const QColor todayColor = QColor::fromRgbF(0, 0, 1, 0.6f);
// A pure green is hard to read on white; this one keeps the hue.
const QColor nonSchoolColor(0x1e, 0x9a, 0x3c);
const QColor schoolDayColor = QColor::fromRgbF(0.5f, 0.5f, 0.5f);
const QColor outsideYearColor = QColor::fromRgbF(0.85f, 0.85f, 0.85f);

// The day names sit a little smaller than the numbers, above them.
constexpr int weekdayPixelSize = 11;

QFont sizedFont(int pixelSize, QFont::Weight weight)
{
    QFont font = QGuiApplication::font();
    font.setPixelSize(pixelSize);
    font.setWeight(weight);
    return font;
}

int daysInMonth(Date firstOfMonth)
{
    return LocalCalendar::components(firstOfMonth.firstDayOfNextMonth().lastDayOfLastMonth()).day;
}

} // namespace

CalendarPickerGrid::CalendarPickerGrid(const Year* year, Date shownDate, const Day* selectedDay)
    : m_year(year)
    , m_shownDate(shownDate)
{
    fillMonth();
    selectDay(selectedDay);
}

// Rows count weeks from the one holding the first of the month, in the
// locale's week. Counting by day of month rather than by week of the year
// keeps the rows right where the year's week numbers wrap: late December can
// be week 1 of the next year, and in countries that number weeks the ISO way
// early January belongs to the last week of the year before.
void CalendarPickerGrid::fillMonth()
{
    const Date first = m_shownDate.firstDayOfMonth();
    const int leadingCells = LocalCalendar::weekdayOrdinal(first) - 1;
    const int days = daysInMonth(first);
    const int rows = (leadingCells + days + columnCount - 1) / columnCount;
    m_weeks = QList<QList<CalendarPickerDay>>(rows, QList<CalendarPickerDay>(columnCount));
    for (int index = 0; index < days; ++index) {
        const int position = leadingCells + index;
        CalendarPickerDay& cell = m_weeks[position / columnCount][position % columnCount];
        cell.date = LocalCalendar::addingDays(first, index);
        cell.day = m_year ? m_year->getExactDayWithDate(cell.date) : nullptr;
        cell.dayOfMonth = index + 1;
    }
}

QString CalendarPickerGrid::title() const
{
    return DateFormatting::formatPattern(m_shownDate, QStringLiteral("MMMM, yyyy"));
}

bool CalendarPickerGrid::canGoToPreviousMonth() const
{
    return m_year && !m_year->getAllDaysBefore(m_shownDate.lastDayOfLastMonth()).isEmpty();
}

bool CalendarPickerGrid::canGoToNextMonth() const
{
    return m_year && !m_year->getAllDaysAfter(m_shownDate.firstDayOfNextMonth()).isEmpty();
}

bool CalendarPickerGrid::showsMonthOf(Date date) const
{
    return m_shownDate.isSameMonthAsDate(date);
}

void CalendarPickerGrid::selectDay(const Day* day)
{
    for (QList<CalendarPickerDay>& week : m_weeks) {
        for (CalendarPickerDay& cell : week)
            cell.selected = day && cell.day == day;
    }
}

void CalendarPickerGrid::setGeometry(const QRectF& area)
{
    m_area = area;
}

// The day-name row and the week rows share the height evenly.
QRectF CalendarPickerGrid::weekdayRect(int column) const
{
    const double width = m_area.width() / columnCount;
    const double height = m_area.height() / (maximumRowCount + 1);
    return { m_area.left() + column * width, m_area.top(), width, height };
}

QRectF CalendarPickerGrid::cellRect(int row, int column) const
{
    return weekdayRect(column).translated(0, (row + 1) * weekdayRect(column).height());
}

const CalendarPickerDay* CalendarPickerGrid::cellAt(QPointF point) const
{
    const QRectF first = cellRect(0, 0);
    if (first.isEmpty() || point.x() < first.left() || point.y() < first.top())
        return nullptr;
    const int column = int(std::floor((point.x() - first.left()) / first.width()));
    const int row = int(std::floor((point.y() - first.top()) / first.height()));
    if (row >= rowCount() || column >= columnCount)
        return nullptr;
    const CalendarPickerDay& cell = m_weeks[row][column];
    return cell.isEmpty() ? nullptr : &cell;
}

bool CalendarPickerGrid::highlightAt(QPointF point)
{
    const CalendarPickerDay* target = cellAt(point);
    bool changed = false;
    for (QList<CalendarPickerDay>& week : m_weeks) {
        for (CalendarPickerDay& cell : week) {
            const bool highlighted = &cell == target;
            changed = changed || cell.highlighted != highlighted;
            cell.highlighted = highlighted;
        }
    }
    return changed;
}

QStringList CalendarPickerGrid::weekdayNames()
{
    QStringList names = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Short);
    // The symbols come Sunday first; the columns start on the locale's first weekday.
    for (int shift = 1; shift < LocalCalendar::firstWeekday() && !names.isEmpty(); ++shift)
        names.append(names.takeFirst());
    return names;
}

QFont CalendarPickerGrid::numberFont(QFont::Weight weight)
{
    return sizedFont(cellPixelSize, weight);
}

QFont CalendarPickerGrid::weekdayFont()
{
    return sizedFont(weekdayPixelSize, QFont::Bold);
}

// The first rule that fits the cell decides.
CalendarPickerGrid::CellStyle CalendarPickerGrid::styleFor(const CalendarPickerDay& cell)
{
    const bool today = !cell.isEmpty() && cell.date.isTodaysDate();
    if (cell.day) {
        if (cell.selected)
            return { numberFont(QFont::Bold), selectedColor };
        if (today)
            return { numberFont(QFont::Bold), todayColor };
        if (cell.day->isNonSchoolDay())
            return { numberFont(QFont::Normal), nonSchoolColor };
        return { numberFont(QFont::Normal), schoolDayColor };
    }
    if (today)
        return { numberFont(QFont::Normal), todayColor };
    return { numberFont(QFont::Light), outsideYearColor };
}
