#include "gui/views/DayColumnsLayout.h"

#include "foundation/dates/Clock.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/prefs/Preferences.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/DisplayPreferences.h"
#include "planning/PlanningNotifications.h"

#include <QCoreApplication>
#include <QFontMetricsF>
#include <QTextDocument>

#include <algorithm>
#include <cmath>

namespace {

constexpr double secondsPerHour = 3600;
// Below this a day column no longer holds a readable line of lesson text.
constexpr double minimumColumnWidth = 150;
// Cards of stacked days: as many as fit at this width side by side.
constexpr double minimumCardWidth = 230;

QString tr(const char* text)
{
    return QCoreApplication::translate("DayColumnsLayout", text);
}

bool sameCalendarDay(Date a, Date b)
{
    const DateComponents left = LocalCalendar::components(a);
    const DateComponents right = LocalCalendar::components(b);
    return left.year == right.year && left.month == right.month && left.day == right.day;
}

QString holidayTitle(const Day& day)
{
    return day.holidayTitle().trimmed();
}

} // namespace

DayColumnsLayout::Options DayColumnsLayout::Options::fromPreferences()
{
    const Preferences& preferences = Preferences::shared();
    Options options;
    options.showNotes = preferences.boolValue(DisplayPreferences::showNotesView);
    options.showLessonTimes = preferences.boolValue(DisplayPreferences::alwaysShowLessonTimes);
    options.text.showAssignments = preferences.boolValue(DisplayPreferences::showAssignmentsInLessonViews);
    if (preferences.boolValue(DisplayPreferences::useFixedFontSize)) {
        const double size = preferences.doubleValue(DisplayPreferences::fixedFontSize);
        if (size > 0)
            options.text.fixedPointSize = size;
    }
    return options;
}

DayColumnsLayout::DayColumnsLayout(
    const Year* year, const QList<Day*>& days, const Options& options, const QFont& font, LessonBoxCache& texts)
    : m_year(year)
    , m_texts(texts)
    , m_options(options)
    , m_font(font)
    , m_boldFont(font)
{
    m_boldFont.setBold(true);
    const QFontMetricsF metrics(font);
    m_lineHeight = std::ceil(metrics.height());
    m_padding = std::max(4.0, std::round(m_lineHeight * 0.4));
    m_texts.setStyle({ options.text, font, year ? LessonBoxText::fieldLabels(*year) : QStringList() });
    for (Day* day : days) {
        if (day)
            m_columns.append(makeColumn(day));
    }
    for (const DayColumn& column : std::as_const(m_columns)) {
        for (const LessonBox& box : column.lessons)
            m_boxedLessons.insert(box.lesson);
    }
}

DayColumnsLayout::DayColumn DayColumnsLayout::makeColumn(Day* day) const
{
    DayColumn column;
    column.day = day;
    column.isToday = sameCalendarDay(day->actualDate(), Clock::now());
    column.weekday = day->weekDayName();
    column.date = DateFormatting::formatTemplate(day->actualDate(), QStringLiteral("MMMd"));
    if (day->isCustomDay())
        column.dayType = day->holidayName().trimmed();
    else if (m_year && !m_year->isNonRotating() && !day->isNonSchoolDay())
        column.dayType = day->rotationString();
    if (m_options.showNotes)
        column.notes = day->notes();

    const QList<Lesson*> drawn = day->lessonsToDrawInOrder();
    if (!drawn.isEmpty()) {
        for (Lesson* lesson : drawn)
            column.lessons.append(makeBox(lesson));
    } else if (day->isNonSchoolDay()) {
        column.kind = DayKind::NonSchool;
        column.message = holidayTitle(*day);
    } else if (!day->lessons().isEmpty()) {
        column.kind = DayKind::NoneShown;
        column.message = tr("No Lessons to Show");
    } else {
        column.kind = DayKind::NoLessons;
        column.message = tr("No Lessons Meet on This Day");
    }
    return column;
}

DayColumnsLayout::LessonBox DayColumnsLayout::makeBox(Lesson* lesson) const
{
    LessonBox box;
    box.lesson = lesson;
    const Course* course = lesson->course();
    box.color = course ? course->color() : QColor(Qt::gray);
    box.courseName = lesson->courseName();
    if (m_options.showLessonTimes)
        box.time = lesson->timeString();
    box.anchored = lesson->isAnchored();
    return box;
}

void DayColumnsLayout::fetchText(LessonBox& box, double width, bool needed)
{
    box.text = needed ? m_texts.text(*box.lesson, width) : m_texts.wrapped(*box.lesson, width);
}

bool DayColumnsLayout::refreshLesson(const Lesson* lesson)
{
    m_texts.forget(lesson);
    if (!m_boxedLessons.contains(lesson))
        return false;
    for (DayColumn& column : m_columns) {
        for (LessonBox& box : column.lessons) {
            if (box.lesson == lesson) {
                box = makeBox(box.lesson);
                return true;
            }
        }
    }
    return false;
}

double DayColumnsLayout::secondsOfDay(Date time)
{
    const DateComponents components = LocalCalendar::components(time);
    return components.hour * secondsPerHour + components.minute * 60.0 + components.second;
}

double DayColumnsLayout::headingHeight() const
{
    return (oneLineHeadings() ? 1 : 2) * m_lineHeight + 2 * m_padding;
}

double DayColumnsLayout::minimumBoxHeight() const
{
    return bandHeight() + m_lineHeight + m_padding;
}

double DayColumnsLayout::minimumWidth() const
{
    if (m_options.arrangement == Arrangement::Stacked && !m_options.timeGrid)
        return minimumCardWidth + 2 * m_padding;
    return m_hourLabelRect.width() + minimumColumnWidth * std::max<qsizetype>(1, m_columns.size());
}

void DayColumnsLayout::setGeometry(double width, double viewportHeight, VerticalRange shown)
{
    m_shown = shown;
    m_laidOutHeights = 0;
    m_laidOutBoxes = 0;
    m_hourMarks.clear();
    m_hourLabelRect = QRectF();
    if (m_options.timeGrid)
        placeOnTimeGrid(width, viewportHeight);
    else if (m_options.arrangement == Arrangement::Stacked)
        placeRows(width);
    else
        placeColumns(width, viewportHeight);
}

double DayColumnsLayout::placeMessage(DayColumn& column, double left, double top, double width) const
{
    if (column.message.isEmpty())
        return top;
    const QFontMetricsF metrics(m_font);
    const QRectF needed = metrics.boundingRect(QRectF(0, 0, width, 1e6), Qt::TextWordWrap, column.message);
    column.messageRect = QRectF(left, top, width, std::ceil(needed.height()) + m_padding);
    return column.messageRect.bottom() + m_padding;
}

// The notes area is shown even when the day has none, so that the teacher
// sees where they would go; an empty area takes two lines.
double DayColumnsLayout::placeNotes(DayColumn& column, double left, double top, double width) const
{
    if (!m_options.showNotes)
        return top;
    const QFontMetricsF metrics(m_font);
    const double text = column.notes.isEmpty()
        ? m_lineHeight
        : std::ceil(
            metrics.boundingRect(QRectF(0, 0, width - 2 * m_padding, 1e6), Qt::TextWordWrap, column.notes).height());
    column.notesRect = QRectF(left, top, width, m_lineHeight + text + 2 * m_padding);
    return column.notesRect.bottom() + m_padding;
}

bool DayColumnsLayout::timeFitsInBand(const LessonBox& box, double width) const
{
    const double controls = bandHeight() * (box.anchored ? 2 : 1);
    const double name = QFontMetricsF(m_boldFont).horizontalAdvance(box.courseName);
    const double time = QFontMetricsF(m_font).horizontalAdvance(box.time);
    return name + time + 2 * m_padding <= width - m_padding - controls;
}

double DayColumnsLayout::textOffset(const LessonBox& box, double width) const
{
    const bool timeLine = !box.time.isEmpty() && !timeFitsInBand(box, width);
    return bandHeight() + (timeLine ? m_lineHeight : 0) + m_padding / 2;
}

// A band with the course name and the controls on top, the text below.
void DayColumnsLayout::placeBox(LessonBox& box, const QRectF& rect)
{
    box.rect = rect;
    const double band = bandHeight();
    box.bandRect = QRectF(rect.left(), rect.top(), rect.width(), band);
    box.settingsRect = QRectF(rect.right() - band, rect.top(), band, band);
    box.lockRect = box.anchored ? box.settingsRect.translated(-band, 0) : QRectF();
    const double controlsLeft = box.anchored ? box.lockRect.left() : box.settingsRect.left();
    box.nameRect
        = QRectF(rect.left() + m_padding, rect.top(), std::max(0.0, controlsLeft - rect.left() - m_padding), band);
    box.timeRect = QRectF();
    if (!box.time.isEmpty() && timeFitsInBand(box, rect.width())) {
        const double time = std::ceil(QFontMetricsF(m_font).horizontalAdvance(box.time));
        box.timeRect = QRectF(controlsLeft - time - m_padding / 2, rect.top(), time, band);
        box.nameRect.setRight(box.timeRect.left() - m_padding);
    } else if (!box.time.isEmpty()) {
        box.timeRect = QRectF(rect.left() + m_padding, box.bandRect.bottom() + m_padding / 2,
            std::max(0.0, rect.width() - 2 * m_padding), m_lineHeight);
    }
    const double top = rect.top() + textOffset(box, rect.width());
    box.textRect = QRectF(rect.left() + m_padding, top, std::max(0.0, rect.width() - 2 * m_padding),
        std::max(0.0, rect.bottom() - top - m_padding / 2));
    fetchText(box, box.textRect.width(), m_shown.reaches(rect));
    box.clipped = box.text && box.text->size().height() > box.textRect.height() + 0.5;
}

double DayColumnsLayout::naturalBoxHeight(LessonBox& box, double width, double top)
{
    fetchText(box, std::max(0.0, width - 2 * m_padding), top <= m_shown.bottom);
    if (!box.text)
        return m_laidOutBoxes > 0 ? m_laidOutHeights / m_laidOutBoxes : minimumBoxHeight();
    const double natural = textOffset(box, width) + std::ceil(box.text->size().height()) + m_padding;
    const double height = std::max(minimumBoxHeight(), natural);
    m_laidOutHeights += height;
    ++m_laidOutBoxes;
    return height;
}

void DayColumnsLayout::stretchColumnsTo(double height)
{
    for (DayColumn& column : m_columns)
        column.rect.setBottom(std::max(column.rect.bottom(), height));
}

void DayColumnsLayout::placeColumns(double width, double viewportHeight)
{
    const double columnWidth = width / std::max<qsizetype>(1, m_columns.size());
    double bottom = 0;
    for (int index = 0; index < m_columns.size(); ++index) {
        DayColumn& column = m_columns[index];
        const double left = index * columnWidth;
        column.rect = QRectF(left, 0, columnWidth, 0);
        column.headingRect = QRectF(left, 0, columnWidth, headingHeight());
        const double innerLeft = left + m_padding;
        const double innerWidth = std::max(0.0, columnWidth - 2 * m_padding);
        double y = placeMessage(column, innerLeft, column.headingRect.bottom() + m_padding, innerWidth);
        for (LessonBox& box : column.lessons) {
            const double height = naturalBoxHeight(box, innerWidth, y);
            placeBox(box, QRectF(innerLeft, y, innerWidth, height));
            y += height + m_padding;
        }
        y = placeNotes(column, innerLeft, y, innerWidth);
        bottom = std::max(bottom, y);
    }
    m_contentHeight = bottom;
    stretchColumnsTo(std::max(bottom, viewportHeight));
}

// Each day is a full-width row; its lessons are cards, as many side by side
// as the width takes, every card of a line as tall as the tallest.
void DayColumnsLayout::placeRows(double width)
{
    const double innerWidth = std::max(0.0, width - 2 * m_padding);
    const int perLine = std::max(1, int((innerWidth + m_padding) / (minimumCardWidth + m_padding)));
    const double cardWidth = (innerWidth - (perLine - 1) * m_padding) / perLine;
    double y = 0;
    for (DayColumn& column : m_columns) {
        const double top = y;
        column.headingRect = QRectF(0, top, width, headingHeight());
        y = placeMessage(column, m_padding, column.headingRect.bottom() + m_padding, innerWidth);
        for (qsizetype first = 0; first < column.lessons.size(); first += perLine) {
            const qsizetype last = std::min(column.lessons.size(), first + perLine);
            double lineHeight = 0;
            for (qsizetype index = first; index < last; ++index)
                lineHeight = std::max(lineHeight, naturalBoxHeight(column.lessons[index], cardWidth, y));
            for (qsizetype index = first; index < last; ++index) {
                const double left = m_padding + double(index - first) * (cardWidth + m_padding);
                placeBox(column.lessons[index], QRectF(left, y, cardWidth, lineHeight));
            }
            y += lineHeight + m_padding;
        }
        y = placeNotes(column, m_padding, y, innerWidth);
        column.rect = QRectF(0, top, width, y - top);
    }
    m_contentHeight = y;
}

// One scale for the whole week: the span from its earliest start to its
// latest end fills the visible height, but an hour never gets so little room
// that a lesson's first line would not fit.
void DayColumnsLayout::placeOnTimeGrid(double width, double viewportHeight)
{
    const QFontMetricsF metrics(m_font);
    const double gutter = std::ceil(metrics.horizontalAdvance(QStringLiteral("12:00 PM"))) + 2 * m_padding;
    const double earliest = secondsOfDay(m_options.timeGrid->earliest);
    double span = secondsOfDay(m_options.timeGrid->latest) - earliest;
    // A week without timed lessons (or whose lessons all start and end at
    // once) still gets an hour of grid.
    if (span <= 0)
        span = secondsPerHour;
    // Lessons without a meeting time have no place in the day: they get a
    // band of their own above the grid, one row each, instead of piling up
    // at its first hour over the timed ones.
    qsizetype untimedRows = 0;
    for (const DayColumn& column : std::as_const(m_columns)) {
        untimedRows = std::max<qsizetype>(untimedRows,
            std::count_if(column.lessons.begin(), column.lessons.end(),
                [](const LessonBox& box) { return !box.lesson->hasTimes(); }));
    }
    const double bandTop = headingHeight() + m_padding;
    const double gridTop = bandTop + double(untimedRows) * (minimumBoxHeight() + m_padding);
    const double notesReserve = m_options.showNotes ? 3 * m_lineHeight + 3 * m_padding : 0;
    const double available = viewportHeight - gridTop - notesReserve - m_padding;
    const double pixelsPerSecond = std::max(available / span, 3 * minimumBoxHeight() / secondsPerHour);
    const double gridBottom = gridTop + span * pixelsPerSecond;

    m_hourLabelRect = QRectF(0, gridTop, gutter, gridBottom - gridTop);
    for (double hour = std::ceil(earliest / secondsPerHour) * secondsPerHour; hour <= earliest + span;
         hour += secondsPerHour) {
        const Date label
            = LocalCalendar::dateFromComponents(DateComponents { 2001, 1, 1, int(hour / secondsPerHour), 0, 0 });
        m_hourMarks.append({ DateFormatting::formatShortTime(label), gridTop + (hour - earliest) * pixelsPerSecond });
    }

    const double columnWidth = std::max(0.0, width - gutter) / std::max<qsizetype>(1, m_columns.size());
    double bottom = gridBottom;
    for (int index = 0; index < m_columns.size(); ++index) {
        DayColumn& column = m_columns[index];
        const double left = gutter + index * columnWidth;
        column.rect = QRectF(left, 0, columnWidth, 0);
        column.headingRect = QRectF(left, 0, columnWidth, headingHeight());
        const double innerLeft = left + m_padding;
        const double innerWidth = std::max(0.0, columnWidth - 2 * m_padding);
        placeMessage(column, innerLeft, gridTop, innerWidth);
        double untimedTop = bandTop;
        for (LessonBox& box : column.lessons) {
            const Lesson& lesson = *box.lesson;
            if (!lesson.hasTimes()) {
                placeBox(box, QRectF(innerLeft, untimedTop, innerWidth, minimumBoxHeight()));
                untimedTop += minimumBoxHeight() + m_padding;
                continue;
            }
            const int sharing = std::max(0, column.day->lessonsMeetingAtSameTimeAs(&lesson));
            const int part = std::clamp(column.day->positionAmongThoseSharingSameTimeOfLesson(&lesson), 0, sharing);
            const double partWidth = innerWidth / (sharing + 1);
            const double start = secondsOfDay(*lesson.startTime());
            const double length = secondsOfDay(*lesson.endTime()) - start;
            const double top = gridTop + (start - earliest) * pixelsPerSecond;
            const double height = std::max(minimumBoxHeight(), length * pixelsPerSecond);
            const double gap = sharing > 0 ? 2 : 0;
            placeBox(box, QRectF(innerLeft + part * partWidth, top, partWidth - gap, height));
            bottom = std::max(bottom, box.rect.bottom());
        }
    }
    double contentBottom = bottom + m_padding;
    for (DayColumn& column : m_columns) {
        const double left = column.rect.left() + m_padding;
        contentBottom = std::max(
            contentBottom, placeNotes(column, left, bottom + m_padding, column.rect.width() - 2 * m_padding));
    }
    m_contentHeight = contentBottom;
    stretchColumnsTo(std::max(contentBottom, viewportHeight));
}

const DayColumnsLayout::DayColumn* DayColumnsLayout::columnAt(QPointF point) const
{
    for (const DayColumn& column : m_columns) {
        if (column.rect.contains(point))
            return &column;
    }
    return nullptr;
}

// Boxes drawn later lie on top, so they are asked first.
const DayColumnsLayout::LessonBox* DayColumnsLayout::boxAt(QPointF point) const
{
    const DayColumn* column = columnAt(point);
    if (!column)
        return nullptr;
    for (auto box = column->lessons.rbegin(); box != column->lessons.rend(); ++box) {
        if (box->rect.contains(point))
            return &*box;
    }
    return nullptr;
}

const DayColumnsLayout::LessonBox* DayColumnsLayout::boxOf(const Lesson* lesson) const
{
    if (!m_boxedLessons.contains(lesson))
        return nullptr;
    for (const DayColumn& column : m_columns) {
        for (const LessonBox& box : column.lessons) {
            if (box.lesson == lesson)
                return &box;
        }
    }
    return nullptr;
}

DayColumnsLayout::Click DayColumnsLayout::clickAt(QPointF point) const
{
    const Click clear { PlanningNotifications::clearSelectedLesson };
    const DayColumn* column = columnAt(point);
    if (!column)
        return clear;
    if (const LessonBox* box = boxAt(point)) {
        if (box->settingsRect.contains(point))
            return { PlanningNotifications::lessonSettingsClicked, box->lesson };
        return { PlanningNotifications::lessonClicked, box->lesson };
    }
    if (m_options.headings == Headings::OpenDayTools && column->headingRect.contains(point))
        return { PlanningNotifications::switchToDayTools, column->day };
    switch (column->kind) {
    case DayKind::NonSchool:
        return { PlanningNotifications::nonSchoolSettingsClicked, column->day };
    case DayKind::NoLessons:
        return { PlanningNotifications::noLessonsClicked, column->day };
    default:
        return clear;
    }
}

DayColumnsLayout::Click DayColumnsLayout::doubleClickAt(QPointF point) const
{
    if (const LessonBox* box = boxAt(point))
        return { PlanningNotifications::lessonDoubleClicked, box->lesson };
    return {};
}
