#include "gui/window/PlanningArea.h"

#include "gui/panels/SidePanel.h"
#include "gui/views/DayColumnsCanvas.h"
#include "gui/views/DayView.h"
#include "gui/views/MonthView.h"
#include "gui/views/WeekView.h"
#include "gui/window/LessonKeys.h"
#include "model/Day.h"
#include "model/Year.h"

#include <QHBoxLayout>
#include <QScrollArea>
#include <QScrollBar>
#include <QSplitter>
#include <QStackedWidget>

#include <algorithm>

namespace {

// Narrower, and a lesson's text wraps after every word or two; wider, and
// the room is better spent on the days.
constexpr int narrowestSidePanel = 220;
constexpr int comfortableSidePanel = 340;

} // namespace

PlanningArea::PlanningArea(Year& year, AlertPresenter& alerts, QWidget* parent)
    : QWidget(parent)
    , m_year(year)
    , m_controller(year)
    , m_splitter(new QSplitter(Qt::Horizontal, this))
    , m_views(new QStackedWidget(m_splitter))
    , m_sidePanel(new SidePanel(alerts, m_splitter))
    , m_keys(new LessonKeys(m_controller, *m_sidePanel, this))
{
    auto* layout = new QHBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_splitter);
    m_splitter->addWidget(m_views);
    m_splitter->addWidget(m_sidePanel);
    m_splitter->setStretchFactor(0, 1);
    m_splitter->setStretchFactor(1, 0);
    m_splitter->setCollapsible(0, false);
    m_sidePanel->setYear(&year);
    m_controller.setViewChangedHandler([this] { showView(); });
    m_controller.setSelectionChangedHandler([this] { showSelection(); });
}

PlanningArea::~PlanningArea() = default;

void PlanningArea::start()
{
    m_controller.start();
    showView();
}

void PlanningArea::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    if (!m_sidePanelPlaced && m_splitter->width() > 0) {
        m_sidePanelPlaced = true;
        placeSidePanel();
    }
}

// At the first size the side panel takes only what the week can spare, so
// that its days stand side by side without scrolling; later the teacher's
// own dragging of the divider is kept.
void PlanningArea::placeSidePanel()
{
    const int available = m_splitter->width() - m_splitter->handleWidth();
    const int side = std::clamp(available - weekWidthWithoutScrolling(), narrowestSidePanel, comfortableSidePanel);
    m_splitter->setSizes({ available - side, side });
}

int PlanningArea::weekWidthWithoutScrolling() const
{
    if (!m_weekView)
        return 0;
    // A long day scrolls down, so the vertical scroll bar is counted in.
    const QScrollArea* scrollArea = m_weekView->canvas()->scrollArea();
    return m_weekView->canvas()->minimumWidth() + scrollArea->verticalScrollBar()->sizeHint().width()
        + 2 * scrollArea->frameWidth();
}

QWidget* PlanningArea::currentView() const
{
    return m_views->currentWidget();
}

void PlanningArea::setLessonBoxHandler(LessonBoxHandler* handler)
{
    m_boxHandler = handler;
    if (m_dayView)
        m_dayView->setLessonBoxHandler(handler);
    if (m_weekView)
        m_weekView->setLessonBoxHandler(handler);
    if (m_monthView)
        m_monthView->setLessonBoxHandler(handler);
}

QWidget* PlanningArea::viewForMode(PlanningModeViewController::Mode mode)
{
    auto created = [this](auto*& view, const QString& name) {
        using View = std::remove_reference_t<decltype(*view)>;
        if (!view) {
            view = new View(m_views);
            view->setLessonBoxHandler(m_boxHandler);
            m_keys->watch(view, name);
            m_views->addWidget(view);
        }
        return view;
    };
    switch (mode) {
    case PlanningModeViewController::DayMode:
        return created(m_dayView, tr("Day view"));
    case PlanningModeViewController::WeekMode:
        return created(m_weekView, tr("Week view"));
    case PlanningModeViewController::MonthMode:
        return created(m_monthView, tr("Month view"));
    }
    return nullptr;
}

void PlanningArea::showView()
{
    if (!m_controller.currentDay())
        return;
    QWidget* view = viewForMode(m_controller.selectedView());
    switch (m_controller.selectedView()) {
    case PlanningModeViewController::DayMode:
        m_dayView->setDay(&m_year, m_controller.currentDay());
        break;
    case PlanningModeViewController::WeekMode:
        m_weekView->setWeek(&m_year, m_controller.shownWeek());
        break;
    case PlanningModeViewController::MonthMode:
        m_monthView->setMonth(&m_year, m_controller.shownMonth());
        break;
    }
    m_views->setCurrentWidget(view);
    emit viewChanged();
}

void PlanningArea::showSelection()
{
    using Panel = PlanningModeViewController::SidePanel;
    switch (m_controller.sidePanel()) {
    case Panel::LessonEditor:
        m_sidePanel->showLessonEditor(m_controller.currentLesson());
        break;
    case Panel::LessonSettings:
        m_sidePanel->showLessonSettings(m_controller.currentLesson());
        break;
    case Panel::NonSchoolSettings:
        m_sidePanel->showNonSchoolSettings(m_controller.currentDay());
        break;
    case Panel::NoLessonsSettings:
        m_sidePanel->showNoLessonsSettings(m_controller.currentDay());
        break;
    }
    emit selectionChanged();
}
