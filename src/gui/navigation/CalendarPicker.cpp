#include "gui/navigation/CalendarPicker.h"

#include "foundation/dates/Clock.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QCoreApplication>
#include <QLabel>
#include <QMouseEvent>
#include <QPainter>
#include <QPainterPath>
#include <QPushButton>
#include <QToolButton>

#include <algorithm>

namespace {

constexpr int margin = 6;
constexpr int spacing = 4;
constexpr double highlightRadius = 5;
const QColor highlightColor = QColor::fromRgbF(0.85f, 0.85f, 0.85f);
const QColor weekdayColor(0x40, 0x40, 0x40);

QString text(const char* source)
{
    return QCoreApplication::translate("CalendarPicker", source);
}

} // namespace

CalendarPicker::CalendarPicker(QWidget* parent)
    : QWidget(parent)
    , m_previousButton(new QToolButton(this))
    , m_titleLabel(new QLabel(this))
    , m_nextButton(new QToolButton(this))
    , m_todayButton(new QPushButton(text("Today"), this))
    , m_goToButton(new QPushButton(text("Go to..."), this))
{
    setMouseTracking(true);
    setBackgroundRole(QPalette::Base);
    setAutoFillBackground(true);

    m_previousButton->setArrowType(Qt::LeftArrow);
    m_previousButton->setAutoRaise(true);
    m_previousButton->setToolTip(text("Previous Month"));
    m_nextButton->setArrowType(Qt::RightArrow);
    m_nextButton->setAutoRaise(true);
    m_nextButton->setToolTip(text("Next Month"));
    setAccessibleName(text("Calendar"));
    setAccessibleDescription(text("A month of the school year; click a school day to show it in the planning views"));
    m_previousButton->setAccessibleName(text("Previous month"));
    m_nextButton->setAccessibleName(text("Next month"));
    m_todayButton->setAccessibleDescription(text("Shows today in the planning views"));
    m_goToButton->setAccessibleDescription(text("Asks for a date to show"));
    QFont titleFont = m_titleLabel->font();
    titleFont.setBold(true);
    m_titleLabel->setFont(titleFont);
    m_titleLabel->setAlignment(Qt::AlignCenter);

    connect(m_previousButton, &QToolButton::clicked, this, &CalendarPicker::showPreviousMonth);
    connect(m_nextButton, &QToolButton::clicked, this, &CalendarPicker::showNextMonth);
    connect(m_todayButton, &QPushButton::clicked, this,
        [this] { NotificationCenter::defaultCenter().post(PlanningNotifications::gotoToday, this); });
    connect(m_goToButton, &QPushButton::clicked, this,
        [this] { NotificationCenter::defaultCenter().post(PlanningNotifications::selectDate, this); });
    updateControls();
}

void CalendarPicker::setYear(Year* year)
{
    m_year = year;
    m_selectedDay = nullptr;
    observeDocument();
    const Day* nearest = year ? year->getDayWithDate(Clock::now()) : nullptr;
    showMonth(nearest ? nearest->actualDate() : Clock::now());
}

const void* CalendarPicker::notificationScope() const
{
    return m_year ? &m_year->context() : nullptr;
}

// Another open document posts the same names; the scope keeps its records'
// notifications away from this picker.
void CalendarPicker::observeDocument()
{
    m_observers.clear();
    if (!m_year)
        return;
    const void* scope = &m_year->context();
    m_observers.observe(PlanningNotifications::calendarDaySelected, scope, [this](const Notification& n) {
        if (Day* day = n.objectAs<Day>())
            selectDay(day);
    });
    m_observers.observe(PlanningNotifications::lessonClicked, scope, [this](const Notification& n) {
        if (const Lesson* lesson = n.objectAs<Lesson>())
            lessonClicked(lesson);
    });
    // Holidays and cancelled days change colour when they are made or undone.
    m_observers.observe(PlanningNotifications::planningModesNeedRefresh, scope,
        [this](const Notification&) { showMonth(m_grid->shownDate()); });
}

void CalendarPicker::recreateDaysWithDay(Day* day, PostNotification post)
{
    if (!day)
        return;
    m_selectedDay = day;
    showMonth(day->actualDate());
    if (post == PostNotification::Yes)
        NotificationCenter::defaultCenter().post(PlanningNotifications::calendarDaySelected, day);
}

// The views already show the lesson's day; the picker only follows them.
void CalendarPicker::lessonClicked(const Lesson* lesson)
{
    showDay(lesson->dayTaught());
}

void CalendarPicker::showDay(Day* day)
{
    if (!day || !m_grid)
        return;
    if (m_grid->showsMonthOf(day->actualDate()))
        selectDay(day);
    else
        recreateDaysWithDay(day, PostNotification::No);
}

void CalendarPicker::selectDay(Day* day)
{
    m_selectedDay = day;
    m_grid->selectDay(day);
    update();
}

void CalendarPicker::showPreviousMonth()
{
    if (canShowPreviousMonth())
        showMonth(m_grid->shownDate().firstDayOfLastMonth());
}

void CalendarPicker::showNextMonth()
{
    if (canShowNextMonth())
        showMonth(m_grid->shownDate().firstDayOfNextMonth());
}

void CalendarPicker::showMonth(Date date)
{
    m_grid = std::make_unique<CalendarPickerGrid>(m_year, date, m_selectedDay);
    placeControls();
    updateControls();
    update();
}

bool CalendarPicker::canShowPreviousMonth() const
{
    return m_grid && m_grid->canGoToPreviousMonth();
}

bool CalendarPicker::canShowNextMonth() const
{
    return m_grid && m_grid->canGoToNextMonth();
}

QString CalendarPicker::monthTitle() const
{
    return m_titleLabel->text();
}

void CalendarPicker::updateControls()
{
    m_previousButton->setEnabled(canShowPreviousMonth());
    m_nextButton->setEnabled(canShowNextMonth());
    m_titleLabel->setText(m_grid ? m_grid->title() : QString());
    m_todayButton->setEnabled(m_year != nullptr);
    m_goToButton->setEnabled(m_year != nullptr);
}

QSize CalendarPicker::cellSize() const
{
    // Numbers are measured in the bold face, the widest they are drawn in.
    const QFontMetrics numbers(CalendarPickerGrid::numberFont(QFont::Bold));
    const QFontMetrics names(CalendarPickerGrid::weekdayFont());
    int width = numbers.horizontalAdvance(QStringLiteral("30")) + 12;
    for (const QString& name : CalendarPickerGrid::weekdayNames())
        width = std::max(width, names.horizontalAdvance(name) + 4);
    return { width, numbers.height() + 7 };
}

QSize CalendarPicker::sizeHint() const
{
    const QSize cell = cellSize();
    const int headerHeight = std::max(m_previousButton->sizeHint().height(), m_titleLabel->sizeHint().height());
    const int footerHeight = m_todayButton->sizeHint().height();
    const int gridHeight = cell.height() * (CalendarPickerGrid::maximumRowCount + 1);
    return { cell.width() * CalendarPickerGrid::columnCount + 2 * margin,
        2 * margin + headerHeight + gridHeight + footerHeight + 2 * spacing };
}

// The month control runs along the top, the go-to buttons along the bottom and
// the day grid fills what lies between them.
void CalendarPicker::placeControls()
{
    const QRect inner = rect().adjusted(margin, margin, -margin, -margin);
    const int headerHeight = std::max(m_previousButton->sizeHint().height(), m_titleLabel->sizeHint().height());
    const int arrowWidth = headerHeight;
    m_previousButton->setGeometry(inner.left(), inner.top(), arrowWidth, headerHeight);
    m_nextButton->setGeometry(inner.right() - arrowWidth + 1, inner.top(), arrowWidth, headerHeight);
    m_titleLabel->setGeometry(
        inner.left() + arrowWidth, inner.top(), std::max(0, inner.width() - 2 * arrowWidth), headerHeight);

    const QSize today = m_todayButton->sizeHint();
    const QSize goTo = m_goToButton->sizeHint();
    const int footerTop = inner.bottom() + 1 - today.height();
    const int footerLeft = inner.left() + std::max(0, (inner.width() - today.width() - goTo.width() - spacing) / 2);
    m_todayButton->setGeometry(footerLeft, footerTop, today.width(), today.height());
    m_goToButton->setGeometry(footerLeft + today.width() + spacing, footerTop, goTo.width(), goTo.height());

    if (m_grid) {
        const int gridTop = inner.top() + headerHeight + spacing;
        m_grid->setGeometry(QRectF(inner.left(), gridTop, inner.width(), std::max(0, footerTop - spacing - gridTop)));
    }
}

void CalendarPicker::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeControls();
}

void CalendarPicker::mousePressEvent(QMouseEvent* event)
{
    if (!m_grid || event->button() != Qt::LeftButton)
        return;
    const CalendarPickerDay* cell = m_grid->cellAt(event->position());
    if (cell && cell->day)
        NotificationCenter::defaultCenter().post(PlanningNotifications::calendarDaySelected, cell->day);
}

void CalendarPicker::mouseMoveEvent(QMouseEvent* event)
{
    if (m_grid && m_grid->highlightAt(event->position()))
        update();
}

void CalendarPicker::leaveEvent(QEvent* event)
{
    QWidget::leaveEvent(event);
    if (m_grid) {
        m_grid->clearHighlight();
        update();
    }
}

void CalendarPicker::paintEvent(QPaintEvent*)
{
    if (!m_grid)
        return;
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);

    painter.setFont(CalendarPickerGrid::weekdayFont());
    painter.setPen(weekdayColor);
    const QStringList names = CalendarPickerGrid::weekdayNames();
    for (int column = 0; column < names.size(); ++column)
        painter.drawText(m_grid->weekdayRect(column), Qt::AlignCenter, names[column]);

    for (int row = 0; row < m_grid->rowCount(); ++row) {
        for (int column = 0; column < CalendarPickerGrid::columnCount; ++column)
            paintCell(painter, m_grid->weeks()[row][column], m_grid->cellRect(row, column));
    }
}

void CalendarPicker::paintCell(QPainter& painter, const CalendarPickerDay& cell, const QRectF& rect) const
{
    if (cell.isEmpty())
        return;
    if (cell.highlighted) {
        QPainterPath backing;
        backing.addRoundedRect(rect.adjusted(1, 1, -1, -1), highlightRadius, highlightRadius);
        painter.fillPath(backing, highlightColor);
    }
    const CalendarPickerGrid::CellStyle style = CalendarPickerGrid::styleFor(cell);
    painter.setFont(style.font);
    painter.setPen(style.color);
    painter.drawText(rect, Qt::AlignCenter, QString::number(cell.dayOfMonth));
}
