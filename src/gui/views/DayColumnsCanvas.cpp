#include "gui/views/DayColumnsCanvas.h"

#include "gui/navigation/LessonDrag.h"
#include "gui/views/DayColumnsPainter.h"
#include "gui/views/LessonBoxHandler.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDrag>
#include <QMouseEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScrollArea>
#include <QScrollBar>
#include <QVBoxLayout>

#include <cmath>

namespace {

// A quarter of the visible height is laid out ahead on either side, so that
// small scroll steps find their boxes ready.
constexpr double laidOutAhead = 0.25;

} // namespace

DayColumnsCanvas* DayColumnsCanvas::createIn(QWidget* view, ContentSource source)
{
    auto* scrollArea = new QScrollArea(view);
    scrollArea->setFrameShape(QFrame::NoFrame);
    scrollArea->setWidgetResizable(true);
    // The view takes the keyboard: its arrows choose lessons, not scroll.
    scrollArea->setFocusPolicy(Qt::NoFocus);
    auto* canvas = new DayColumnsCanvas(scrollArea, std::move(source));
    scrollArea->setWidget(canvas);
    auto* layout = new QVBoxLayout(view);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(scrollArea);
    return canvas;
}

DayColumnsCanvas::DayColumnsCanvas(QScrollArea* scrollArea, ContentSource source)
    : m_scrollArea(scrollArea)
    , m_source(std::move(source))
{
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void DayColumnsCanvas::setYear(Year* year)
{
    if (year == m_year)
        return;
    m_year = year;
    m_selected = nullptr;
    m_texts.clear();
    observeDocument();
}

// Another open document posts the same names; the scope keeps its records'
// notifications away from this view.
void DayColumnsCanvas::observeDocument()
{
    m_observers.clear();
    if (!m_year)
        return;
    const void* scope = &m_year->context();
    for (const QString& name : PlanningNotifications::viewsNeedRedraw)
        m_observers.observe(name, scope, [this](const Notification&) { refreshLater(); });
    m_observers.observe(ModelNotifications::lessonDisplayTextChanged, scope,
        [this](const Notification& notification) { refreshLesson(notification.objectAs<Lesson>()); });
    m_observers.observe(PlanningNotifications::lessonClicked, scope,
        [this](const Notification& notification) { select(notification.objectAs<Lesson>()); });
    m_observers.observe(
        PlanningNotifications::clearSelectedLesson, scope, [this](const Notification&) { select(nullptr); });
}

void DayColumnsCanvas::select(Lesson* lesson)
{
    m_selected = lesson;
    m_revealPending = true;
    if (!m_pass.isScheduled())
        revealSelected();
    update();
}

void DayColumnsCanvas::revealSelected()
{
    m_revealPending = false;
    if (const DayColumnsLayout::LessonBox* box = laidOutBox(m_selected)) {
        const QPoint center = box->rect.center().toPoint();
        m_scrollArea->ensureVisible(center.x(), center.y(), int(box->rect.width() / 2), int(box->rect.height() / 2));
    }
}

void DayColumnsCanvas::refreshLater()
{
    m_daysStale = true;
    scheduleLayout();
}

void DayColumnsCanvas::scheduleLayout()
{
    m_pass.schedule(this, [this] { bringUpToDate(); });
}

// A hidden canvas stays stale until it is shown or asked for its layout.
void DayColumnsCanvas::bringUpToDate()
{
    if (!m_pass.take())
        return;
    if (std::exchange(m_daysStale, false))
        refresh();
    else
        placeLayout();
    if (m_revealPending)
        revealSelected();
}

const DayColumnsLayout* DayColumnsCanvas::dayColumnsLayout()
{
    bringUpToDate();
    return m_layout.get();
}

void DayColumnsCanvas::refresh()
{
    m_daysStale = false;
    if (m_year && m_source) {
        const Content content = m_source();
        m_layout = std::make_unique<DayColumnsLayout>(m_year, content.days, content.options, font(), m_texts);
    } else {
        m_layout.reset();
    }
    m_placedFor = QSizeF();
    placeLayout();
    update();
}

void DayColumnsCanvas::scrollToStart()
{
    m_scrollArea->verticalScrollBar()->setValue(0);
    m_scrollArea->horizontalScrollBar()->setValue(0);
}

// Typing in a lesson changes its text on every key: only its own box is
// composed again, and lessons of other days cost nothing but dropping their
// kept text. Boxes of a layout that is read anew anyway are left alone.
void DayColumnsCanvas::refreshLesson(const Lesson* lesson)
{
    if (!m_layout || !lesson) {
        refreshLater();
        return;
    }
    if (m_daysStale) {
        m_texts.forget(lesson);
        return;
    }
    if (!m_layout->refreshLesson(lesson))
        return;
    m_placedFor = QSizeF();
    scheduleLayout();
}

// The canvas is as wide as the visible part of the scroll area and as tall
// as its content needs; a time grid is fitted to the visible height.
void DayColumnsCanvas::placeLayout()
{
    // Days about to be read anew may hold lessons that are gone.
    if (!m_layout || m_daysStale)
        return;
    const double visibleHeight = m_scrollArea->viewport()->height();
    const double top = m_scrollArea->verticalScrollBar()->value();
    if (QSizeF(width(), visibleHeight) == m_placedFor && m_laidOut.top <= top
        && top + visibleHeight <= m_laidOut.bottom)
        return;
    const double ahead = visibleHeight * laidOutAhead;
    place({ top - ahead, top + visibleHeight + ahead });
}

// Laying out more changes the height of the content, and with it the
// scroll range, but never what lies above the part laid out before.
void DayColumnsCanvas::place(DayColumnsLayout::VerticalRange shown)
{
    ++m_layoutPasses;
    m_placedFor = QSizeF(width(), m_scrollArea->viewport()->height());
    m_laidOut = shown;
    m_layout->setGeometry(m_placedFor.width(), m_placedFor.height(), shown);
    setMinimumSize(int(std::ceil(m_layout->minimumWidth())), int(std::ceil(m_layout->contentHeight())));
}

// Each pass lays out at least the first box of the column that was not laid
// out, since its top lies above the estimated place of the lesson's box.
const DayColumnsLayout::LessonBox* DayColumnsCanvas::laidOutBox(const Lesson* lesson)
{
    const DayColumnsLayout::LessonBox* box = m_layout ? m_layout->boxOf(lesson) : nullptr;
    while (box && !box->text) {
        place({ box->rect.top(), box->rect.bottom() });
        box = m_layout->boxOf(lesson);
    }
    return box;
}

void DayColumnsCanvas::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    placeLayout();
}

void DayColumnsCanvas::moveEvent(QMoveEvent* event)
{
    QWidget::moveEvent(event);
    placeLayout();
}

void DayColumnsCanvas::showEvent(QShowEvent* event)
{
    QWidget::showEvent(event);
    bringUpToDate();
}

// A paint that comes before the scheduled pass (a grab, a synchronous
// repaint) must not draw boxes of lessons that changed or went away.
void DayColumnsCanvas::paintEvent(QPaintEvent* event)
{
    bringUpToDate();
    QPainter painter(this);
    painter.fillRect(event->rect(), Qt::white);
    if (m_layout)
        DayColumnsPainter(painter, *m_layout, font(), m_selected, m_kept).paint(event->rect());
}

void DayColumnsCanvas::mousePressEvent(QMouseEvent* event)
{
    m_pressedLesson = nullptr;
    const DayColumnsLayout* layout = dayColumnsLayout();
    if (!layout || event->button() != Qt::LeftButton)
        return;
    if (const DayColumnsLayout::LessonBox* box = layout->boxAt(event->position());
        box && box->lesson && box->lesson->hasData()) {
        m_pressedLesson = box->lesson;
        m_pressPoint = event->position();
    }
    post(layout->clickAt(event->position()));
}

void DayColumnsCanvas::mouseMoveEvent(QMouseEvent* event)
{
    if (!m_pressedLesson || !(event->buttons() & Qt::LeftButton)
        || (event->position() - m_pressPoint).manhattanLength() < QApplication::startDragDistance())
        return;
    Lesson* lesson = std::exchange(m_pressedLesson, nullptr);
    startDrag(*lesson);
}

void DayColumnsCanvas::startDrag(const Lesson& lesson)
{
    auto* drag = new QDrag(this);
    drag->setMimeData(LessonDrag::mimeDataFor(&lesson));
    const QPixmap image = LessonDrag::dragImage(&lesson);
    drag->setPixmap(image);
    drag->setHotSpot(QPoint(image.width() / 2, image.height() / 2));
    // Never a move: the lesson stays where it is whatever the target does.
    drag->exec(Qt::CopyAction | Qt::LinkAction, Qt::LinkAction);
}

void DayColumnsCanvas::setLessonBoxHandler(LessonBoxHandler* handler)
{
    m_handler = handler;
    setAcceptDrops(handler != nullptr);
}

Lesson* DayColumnsCanvas::lessonAt(QPointF point)
{
    const DayColumnsLayout* layout = dayColumnsLayout();
    const DayColumnsLayout::LessonBox* box = layout ? layout->boxAt(point) : nullptr;
    return box ? box->lesson : nullptr;
}

// A right click selects the lesson, as a left click would, and offers its commands.
void DayColumnsCanvas::contextMenuEvent(QContextMenuEvent* event)
{
    if (!m_handler || !lessonAt(event->pos()))
        return;
    post(m_layout->clickAt(event->pos()));
    m_handler->showMenu(event->globalPos());
}

void DayColumnsCanvas::dragEnterEvent(QDragEnterEvent* event)
{
    LessonBoxHandler::dragEntered(m_handler, event);
}

void DayColumnsCanvas::dragMoveEvent(QDragMoveEvent* event)
{
    LessonBoxHandler::dragMoved(m_handler, event, lessonAt(event->position()));
}

void DayColumnsCanvas::dropEvent(QDropEvent* event)
{
    LessonBoxHandler::dropped(m_handler, event, lessonAt(event->position()));
}

void DayColumnsCanvas::mouseDoubleClickEvent(QMouseEvent* event)
{
    const DayColumnsLayout* layout = dayColumnsLayout();
    if (layout && event->button() == Qt::LeftButton)
        post(layout->doubleClickAt(event->position()));
}

void DayColumnsCanvas::post(const DayColumnsLayout::Click& click)
{
    if (!click.name.isEmpty())
        NotificationCenter::defaultCenter().post(click.name, click.object);
}
