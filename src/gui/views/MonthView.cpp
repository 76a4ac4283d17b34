#include "gui/views/MonthView.h"

#include "foundation/color/Colors.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/prefs/Preferences.h"
#include "gui/views/LessonBoxHandler.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"
#include "planning/DisplayPreferences.h"
#include "planning/PlanningNotifications.h"

#include <QContextMenuEvent>
#include <QDropEvent>
#include <QMouseEvent>
#include <QPainter>

#include <utility>

namespace {

const QColor gridColor(0xb8, 0xb8, 0xb8);
const QColor outsideMonthColor(0xf0, 0xf0, 0xf0);
const QColor nonSchoolColor(0xe6, 0xe6, 0xe6);
const QColor todayColor(0xfff3c4);
const QColor messageColor(0x6e, 0x6e, 0x6e);
const QColor textColor(0x1e, 0x1e, 0x1e);

MonthLayout::LessonText preferredLessonText()
{
    return Preferences::shared().boolValue(DisplayPreferences::showCourseNamesInMonthView)
        ? MonthLayout::LessonText::CourseName
        : MonthLayout::LessonText::LessonTitle;
}

// Full names when the narrowest column takes them, short ones otherwise.
QStringList weekdayNamesFitting(const QFontMetrics& metrics, double columnWidth)
{
    const QStringList full = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full);
    for (const QString& name : full) {
        if (metrics.horizontalAdvance(name) > columnWidth - 4)
            return DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Short);
    }
    return full;
}

} // namespace

MonthView::MonthView(QWidget* parent)
    : QWidget(parent)
{ }

void MonthView::setMonth(Year* year, Date anyDayOfMonth)
{
    if (year != m_year) {
        m_year = year;
        observeDocument();
    }
    m_anyDayOfMonth = anyDayOfMonth;
    refresh();
}

// Another open document posts the same names; the scope keeps its records'
// notifications away from this view.
void MonthView::observeDocument()
{
    m_observers.clear();
    if (!m_year)
        return;
    const void* scope = &m_year->context();
    for (const QString& name : PlanningNotifications::viewsNeedRedraw)
        m_observers.observe(name, scope, [this](const Notification&) { refreshLater(); });
    // A cell lists its lessons by name or title, so a lesson's text change
    // may change its day's cell.
    m_observers.observe(ModelNotifications::lessonDisplayTextChanged, scope,
        [this](const Notification& notification) { refreshDayLater(notification.objectAs<Lesson>()); });
}

void MonthView::refresh()
{
    m_monthStale = false;
    m_staleDays.clear();
    ++m_monthReads;
    m_layout = m_year ? std::make_unique<MonthLayout>(m_year, m_anyDayOfMonth, preferredLessonText()) : nullptr;
    placeLayout();
    update();
}

void MonthView::refreshLater()
{
    m_monthStale = true;
    scheduleUpdate();
}

void MonthView::refreshDayLater(const Lesson* lesson)
{
    Day* day = lesson ? lesson->dayTaught() : nullptr;
    if (!day) {
        refreshLater();
        return;
    }
    m_staleDays.insert(day);
    scheduleUpdate();
}

void MonthView::scheduleUpdate()
{
    m_pass.schedule(this, [this] { bringUpToDate(); });
}

// A hidden view stays stale until it is shown or asked for its layout. A
// stale day whose cell is not shown costs nothing.
void MonthView::bringUpToDate()
{
    if (!m_pass.take())
        return;
    if (m_monthStale || !m_layout) {
        refresh();
        return;
    }
    for (const Day* day : std::exchange(m_staleDays, {}))
        m_layout->refreshDay(day);
}

const MonthLayout* MonthView::monthLayout()
{
    bringUpToDate();
    return m_layout.get();
}

void MonthView::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    bringUpToDate();
}

void MonthView::placeLayout()
{
    if (m_layout)
        m_layout->setGeometry(size(), fontMetrics().height());
}

void MonthView::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeLayout();
}

void MonthView::mousePressEvent(QMouseEvent* event)
{
    const MonthLayout* layout = monthLayout();
    if (layout && event->button() == Qt::LeftButton)
        post(layout->clickAt(event->position()));
}

void MonthView::mouseDoubleClickEvent(QMouseEvent* event)
{
    const MonthLayout* layout = monthLayout();
    if (layout && event->button() == Qt::LeftButton)
        post(layout->doubleClickAt(event->position()));
}

void MonthView::setLessonBoxHandler(LessonBoxHandler* handler)
{
    m_handler = handler;
    setAcceptDrops(handler != nullptr);
}

void MonthView::contextMenuEvent(QContextMenuEvent* event)
{
    const MonthLayout* layout = monthLayout();
    if (!m_handler || !layout || !layout->lessonAt(event->pos()))
        return;
    post(layout->clickAt(event->pos()));
    m_handler->showMenu(event->globalPos());
}

void MonthView::dragEnterEvent(QDragEnterEvent* event)
{
    LessonBoxHandler::dragEntered(m_handler, event);
}

void MonthView::dragMoveEvent(QDragMoveEvent* event)
{
    LessonBoxHandler::dragMoved(m_handler, event, lessonAt(event->position()));
}

void MonthView::dropEvent(QDropEvent* event)
{
    LessonBoxHandler::dropped(m_handler, event, lessonAt(event->position()));
}

Lesson* MonthView::lessonAt(QPointF point)
{
    const MonthLayout* layout = monthLayout();
    return layout ? layout->lessonAt(point) : nullptr;
}

void MonthView::post(const MonthLayout::Click& click)
{
    if (!click.name.isEmpty())
        NotificationCenter::defaultCenter().post(click.name, click.object);
}

// A paint that comes before the scheduled update (a grab, a synchronous
// repaint) must not draw lessons that changed or went away.
void MonthView::paintEvent(QPaintEvent*)
{
    bringUpToDate();
    QPainter painter(this);
    painter.fillRect(rect(), Qt::white);
    if (!m_layout)
        return;
    paintHeader(painter);
    for (const MonthLayout::Cell& cell : m_layout->cells())
        paintCell(painter, cell);
}

void MonthView::paintHeader(QPainter& painter) const
{
    QFont titleFont = font();
    titleFont.setBold(true);
    titleFont.setPointSizeF(font().pointSizeF() * 1.25);
    painter.setFont(titleFont);
    painter.setPen(textColor);
    painter.drawText(m_layout->titleRect(), Qt::AlignCenter, m_layout->title());

    painter.setFont(font());
    const QList<QRectF> rects = m_layout->weekdayHeaderRects();
    const QStringList names = weekdayNamesFitting(painter.fontMetrics(), rects.value(0).width());
    for (int column = 0; column < rects.size() && column < names.size(); ++column)
        paintText(painter, rects[column], names[column], Qt::AlignCenter);
}

void MonthView::paintCell(QPainter& painter, const MonthLayout::Cell& cell) const
{
    QColor fill = Qt::white;
    if (!cell.inMonth)
        fill = outsideMonthColor;
    else if (cell.isToday)
        fill = todayColor;
    else if (cell.kind == MonthLayout::CellKind::NonSchool)
        fill = nonSchoolColor;
    painter.fillRect(cell.rect, fill);
    painter.setPen(gridColor);
    painter.drawRect(cell.rect);
    if (!cell.inMonth)
        return;

    QFont bold = font();
    bold.setBold(true);
    painter.setFont(bold);
    painter.setPen(textColor);
    painter.drawText(cell.dayOfMonthRect, Qt::AlignLeft | Qt::AlignVCenter, cell.dayOfMonth);
    painter.setFont(font());
    paintText(painter, cell.headingRect, cell.heading, Qt::AlignRight | Qt::AlignVCenter);

    painter.setPen(messageColor);
    paintText(painter, cell.messageRect, cell.message, Qt::AlignLeft | Qt::AlignVCenter);
    for (const MonthLayout::LessonRow& row : cell.lessons)
        paintLesson(painter, row);
    if (!cell.moreRect.isNull()) {
        painter.setPen(messageColor);
        paintText(
            painter, cell.moreRect, MonthLayout::moreText(cell.hiddenLessonCount), Qt::AlignLeft | Qt::AlignVCenter);
    }
}

// A pale tint of the course's colour with a bar of its full colour, so that
// the dark text stays readable whatever colour the teacher picked.
void MonthView::paintLesson(QPainter& painter, const MonthLayout::LessonRow& row) const
{
    if (row.rect.isNull())
        return;
    painter.fillRect(row.rect, Colors::highlighted(row.color, 0.75f));
    const double barWidth = 4;
    painter.fillRect(QRectF(row.rect.topLeft(), QSizeF(barWidth, row.rect.height())), row.color);
    painter.setPen(textColor);
    paintText(painter, row.rect.adjusted(barWidth + 3, 0, -2, 0), row.text, Qt::AlignLeft | Qt::AlignVCenter);
}

void MonthView::paintText(QPainter& painter, const QRectF& rect, const QString& text, Qt::Alignment alignment) const
{
    if (text.isEmpty() || rect.width() <= 0)
        return;
    const QString elided = painter.fontMetrics().elidedText(text, Qt::ElideRight, int(rect.width()));
    painter.drawText(rect, alignment | Qt::TextSingleLine, elided);
}
