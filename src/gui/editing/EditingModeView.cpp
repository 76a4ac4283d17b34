#include "gui/editing/EditingModeView.h"

#include "gui/panels/SidePanel.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QPushButton>
#include <QSplitter>
#include <QVBoxLayout>

EditingModeView::EditingModeView(Year& year, Lesson* lesson, QWidget* parent)
    : QWidget(parent)
    , m_year(year)
    , m_lesson(lesson)
    , m_list(new QListWidget(this))
    , m_panel(new SidePanel(this))
{
    auto* back = new QPushButton(QStringLiteral("Return to Planning Mode"), this);
    back->setObjectName(QStringLiteral("returnToPlanning"));
    connect(back, &QPushButton::clicked, this,
        [this] { NotificationCenter::defaultCenter().post(PlanningNotifications::returnToPlanningMode, m_lesson); });
    connect(m_list, &QListWidget::currentRowChanged, this, &EditingModeView::rowPicked);
    m_list->setMinimumWidth(260);
    m_list->setAlternatingRowColors(true);
    m_panel->setYear(&year);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_list);
    splitter->addWidget(m_panel);
    splitter->setStretchFactor(1, 1);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(back);
    layout->addLayout(buttons);

    observeDocument();
    rebuildList();
    showLesson(lesson);
}

void EditingModeView::observeDocument()
{
    const void* scope = &m_year.context();
    m_observers.observe(PlanningNotifications::lessonClickedInEditingMode, scope, [this](const Notification& note) {
        if (auto* lesson = note.objectAs<Lesson>())
            showLesson(lesson);
    });
    m_observers.observe(PlanningNotifications::lessonSelectedFromSearch, scope, [this](const Notification& note) {
        auto* lesson = note.objectAs<Lesson>();
        if (!lesson)
            return;
        const bool otherCourse = !m_lesson || lesson->course() != m_lesson->course();
        m_lesson = lesson;
        if (otherCourse)
            rebuildList();
        showLesson(lesson);
    });
    // After a bump every row may read differently.
    m_observers.observe(ModelNotifications::refreshPlanningModes, scope, [this](const Notification&) {
        rebuildList();
        showLesson(m_lesson);
    });
}

QString EditingModeView::rowText(const Lesson& lesson) const
{
    const QString title = lesson.lessonTitle().isEmpty() ? QStringLiteral("No Title Provided") : lesson.lessonTitle();
    const QString lock = lesson.isAnchored() ? QStringLiteral("  🔒") : QString();
    return lesson.dateStringForScrollingView() + QStringLiteral("\n") + title + lock;
}

void EditingModeView::rebuildList()
{
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    const Course* course = m_lesson ? m_lesson->course() : nullptr;
    m_lessons = course ? course->allLessonsInOrder() : QList<Lesson*>();
    for (const Lesson* lesson : m_lessons) {
        auto* item = new QListWidgetItem(rowText(*lesson), m_list);
        if (lesson->lessonTitle().isEmpty())
            item->setForeground(m_list->palette().color(QPalette::Disabled, QPalette::Text));
    }
}

void EditingModeView::showLesson(Lesson* lesson)
{
    m_lesson = lesson;
    m_panel->showLessonEditor(lesson);
    const QSignalBlocker quiet(m_list);
    m_list->setCurrentRow(int(m_lessons.indexOf(lesson)));
    if (m_list->currentItem())
        m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtCenter);
}

void EditingModeView::rowPicked(int row)
{
    if (row >= 0 && row < m_lessons.size())
        NotificationCenter::defaultCenter().post(PlanningNotifications::lessonClickedInEditingMode, m_lessons[row]);
}
