#include "gui/window/ShownSelection.h"

#include "gui/editing/EditingModeView.h"
#include "gui/window/PlanningArea.h"
#include "model/Lesson.h"

void ShownSelection::setPlanningArea(PlanningArea* area)
{
    if (m_area)
        disconnect(m_area, nullptr, this, nullptr);
    m_area = area;
    if (area) {
        connect(area, &PlanningArea::selectionChanged, this, &ShownSelection::changed);
        connect(area, &PlanningArea::viewChanged, this, &ShownSelection::changed);
    }
    emit changed();
}

void ShownSelection::setEditingView(EditingModeView* view)
{
    if (m_editing)
        disconnect(m_editing, nullptr, this, nullptr);
    m_editing = view;
    if (view)
        connect(view, &EditingModeView::lessonChanged, this, &ShownSelection::changed);
    emit changed();
}

void ShownSelection::setReport(QWidget* report)
{
    m_report = report;
    emit changed();
}

EditingModeView* ShownSelection::editingView() const
{
    return m_editing;
}

QWidget* ShownSelection::report() const
{
    return m_report;
}

ShownSelection::Mode ShownSelection::mode() const
{
    if (!m_area)
        return Mode::NoYear;
    if (m_report)
        return Mode::Report;
    return m_editing ? Mode::Editing : Mode::Planning;
}

QWidget* ShownSelection::shownWidget() const
{
    switch (mode()) {
    case Mode::NoYear:
        return nullptr;
    case Mode::Planning:
        return m_area;
    case Mode::Editing:
        return m_editing;
    case Mode::Report:
        return m_report;
    }
    return nullptr;
}

Year* ShownSelection::year() const
{
    return m_area ? &m_area->controller().year() : nullptr;
}

Lesson* ShownSelection::lesson() const
{
    Lesson* lesson = nullptr;
    if (mode() == Mode::Planning)
        lesson = m_area->controller().currentLesson();
    else if (mode() == Mode::Editing)
        lesson = m_editing->lesson();
    return lesson && !lesson->isDeleted() ? lesson : nullptr;
}

Day* ShownSelection::day() const
{
    if (mode() == Mode::Planning)
        return m_area->controller().currentDay();
    const Lesson* shown = mode() == Mode::Editing ? lesson() : nullptr;
    return shown ? shown->dayTaught() : nullptr;
}
