#include "gui/editing/EditingModeView.h"

#include "foundation/notify/NotificationCenter.h"
#include "gui/content/LessonStandardsPane.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/panels/AssignmentsPanel.h"
#include "gui/panels/AttachmentsTable.h"
#include "gui/panels/DaySettingsPanel.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QScrollArea>
#include <QSplitter>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

namespace {

QString dayDescription(const Day& day)
{
    const int lessons = int(day.lessonsInOrder().size());
    const QString kind = day.isCustomDay() ? QStringLiteral("Custom day") : QStringLiteral("School day");
    return day.longDateString() + QStringLiteral("\n") + kind + QStringLiteral("\n")
        + (lessons == 1 ? QStringLiteral("1 lesson") : QStringLiteral("%1 lessons").arg(lessons));
}

} // namespace

EditingModeView::EditingModeView(Year& year, Lesson* lesson, AlertPresenter& alerts, QWidget* parent)
    : QWidget(parent)
    , m_year(year)
    , m_list(new QListWidget(this))
{
    m_list->setObjectName(QStringLiteral("scrollingLessonList"));
    m_list->setMinimumWidth(200);
    m_list->setAccessibleName(tr("Lessons of the course"));
    m_list->setAccessibleDescription(tr("Every lesson of this course by date; choose one to edit it"));
    m_list->setSpacing(2);
    m_list->setStyleSheet(QStringLiteral("QListWidget::item { border: 2px solid black; padding: 3px; }"
                                         "QListWidget::item:selected { border: 2px solid #2e9b3a;"
                                         " background: #e6f4e8; color: black; }"));
    connect(m_list, &QListWidget::currentRowChanged, this, &EditingModeView::rowPicked);

    auto* splitter = new QSplitter(Qt::Horizontal, this);
    splitter->addWidget(m_list);
    splitter->addWidget(buildEditor());
    splitter->addWidget(buildToolsColumn(alerts));
    splitter->setStretchFactor(0, 0);
    splitter->setStretchFactor(1, 1);
    splitter->setStretchFactor(2, 0);
    splitter->setSizes({ 240, 600, 300 });

    auto* back = new QPushButton(QStringLiteral("Return to Planning Mode"), this);
    back->setObjectName(QStringLiteral("returnToPlanning"));
    connect(back, &QPushButton::clicked, this, [this] {
        NotificationCenter::defaultCenter().post(PlanningNotifications::returnToPlanningMode, this->lesson());
    });
    auto* buttons = new QHBoxLayout;
    buttons->addStretch();
    buttons->addWidget(back);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(splitter, 1);
    layout->addLayout(buttons);

    m_lesson.set(lesson);
    observeDocument();
    rebuildList();
    showLesson(lesson);
    m_title->setFocus();
}

QWidget* EditingModeView::buildEditor()
{
    auto* editor = new QWidget(this);
    m_heading = new QLabel(editor);
    QFont headingFont = m_heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.2);
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_title = new QLineEdit(editor);
    m_title->setObjectName(QStringLiteral("lessonTitle"));
    m_title->setPlaceholderText(QStringLiteral("Lesson title"));
    m_title->setAccessibleName(tr("Lesson title"));
    connect(m_title, &QLineEdit::textEdited, this, &EditingModeView::titleEdited);

    m_fields = new FieldEditorColumn(Lesson::richFieldKeys(), editor);
    auto* scroll = new QScrollArea(editor);
    scroll->setWidget(m_fields);
    scroll->setWidgetResizable(true);
    scroll->setFrameShape(QFrame::NoFrame);
    scroll->setAccessibleName(tr("Lesson fields"));

    auto* layout = new QVBoxLayout(editor);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_heading);
    layout->addWidget(m_title);
    layout->addWidget(scroll, 1);
    return editor;
}

QWidget* EditingModeView::buildToolsColumn(AlertPresenter& alerts)
{
    auto* column = new QWidget(this);
    m_toolsChoice = new QTabBar(column);
    m_toolsChoice->addTab(QStringLiteral("Lesson Settings"));
    m_toolsChoice->addTab(QStringLiteral("Day Settings"));
    m_toolsChoice->setExpanding(true);
    m_toolsChoice->setAccessibleName(tr("Settings shown"));
    m_tools = new QStackedWidget(column);
    m_settings = new LessonSettingsPanel(alerts, m_tools);
    auto* dayPage = new QWidget(m_tools);
    m_daySettings = new QLabel(dayPage);
    m_daySettings->setAlignment(Qt::AlignLeft | Qt::AlignTop);
    m_daySettings->setWordWrap(true);
    m_daySettings->setMargin(8);
    m_dayTools = new DaySettingsPanel(DaySettingsPanel::Kind::WithLessons, dayPage);
    auto* dayLayout = new QVBoxLayout(dayPage);
    dayLayout->setContentsMargins(0, 0, 0, 0);
    dayLayout->addWidget(m_daySettings);
    dayLayout->addWidget(m_dayTools, 1);
    m_tools->addWidget(m_settings);
    m_tools->addWidget(dayPage);
    connect(m_toolsChoice, &QTabBar::currentChanged, m_tools, &QStackedWidget::setCurrentIndex);
    m_attachments = new AttachmentsTable(column);

    auto* layout = new QVBoxLayout(column);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_toolsChoice);
    layout->addWidget(m_tools, 1);
    auto* assignmentsBox = new QGroupBox(QStringLiteral("Assignments"), column);
    m_assignments = new AssignmentsPanel(assignmentsBox);
    (new QVBoxLayout(assignmentsBox))->addWidget(m_assignments);
    layout->addWidget(assignmentsBox, 2);
    auto* standardsBox = new QGroupBox(QStringLiteral("Lesson Standards"), column);
    m_standards = new LessonStandardsPane(standardsBox);
    m_standards->setMinimumHeight(160);
    (new QVBoxLayout(standardsBox))->addWidget(m_standards);
    layout->addWidget(standardsBox);
    layout->addWidget(m_attachments);
    return column;
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
        const bool otherCourse = !this->lesson() || lesson->course() != this->lesson()->course();
        m_lesson.set(lesson);
        if (otherCourse)
            rebuildList();
        showLesson(lesson);
    });
    m_observers.observe(ModelNotifications::lessonDisplayTextChanged, scope, [this](const Notification& note) {
        if (const auto* lesson = note.objectAs<Lesson>())
            refreshRow(lesson);
    });
    m_observers.observe(ModelNotifications::courseNameChanged, scope,
        [this](const Notification&) { m_heading->setText(lesson() ? lesson()->stringForEditingMode() : QString()); });
    // After a bump every row may read differently.
    m_observers.observe(ModelNotifications::refreshPlanningModes, scope, [this](const Notification&) {
        if (lesson() && !lesson()->isDeleted()) {
            rebuildList();
            showLesson(lesson());
        }
    });
    m_observers.observe(PlanningNotifications::planningModesNeedRefresh, scope, [this](const Notification&) {
        if (lesson() && !lesson()->isDeleted())
            refreshDaySettings();
    });
    // Days are cancelled or converted and courses removed under these.
    for (const QString& name : { PlanningNotifications::planningModesNeedRefresh,
             ModelNotifications::refreshPlanningModes, PlanningNotifications::courseAdded })
        m_observers.observe(name, scope, [this](const Notification&) { followDeletedLesson(); });
}

QString EditingModeView::heading() const
{
    return m_heading->text();
}

QString EditingModeView::daySettingsText() const
{
    return m_daySettings->text();
}

void EditingModeView::showTools(Tools tools)
{
    m_toolsChoice->setCurrentIndex(tools);
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
    const Course* course = lesson() ? lesson()->course() : nullptr;
    m_lessons = course ? course->allLessonsInOrder() : QList<Lesson*>();
    for (const Lesson* lesson : m_lessons) {
        new QListWidgetItem(m_list);
        refreshRow(lesson);
    }
}

void EditingModeView::refreshRow(const Lesson* lesson)
{
    const int row = int(m_lessons.indexOf(lesson));
    QListWidgetItem* item = m_list->item(row);
    if (!item)
        return;
    item->setText(rowText(*lesson));
    const QPalette::ColorGroup group = lesson->lessonTitle().isEmpty() ? QPalette::Disabled : QPalette::Active;
    item->setForeground(m_list->palette().color(group, QPalette::Text));
}

void EditingModeView::showLesson(Lesson* lesson)
{
    m_lesson.set(lesson);
    m_watch.watch(lesson, [this] { showTitle(); });
    m_heading->setText(lesson ? lesson->stringForEditingMode() : QString());
    showTitle();
    m_fields->setLesson(lesson);
    m_settings->setLesson(lesson);
    m_standards->setLesson(lesson);
    m_attachments->setLesson(lesson);
    m_assignments->setLesson(lesson);
    refreshDaySettings();
    {
        const QSignalBlocker quiet(m_list);
        m_list->setCurrentRow(int(m_lessons.indexOf(lesson)));
        if (m_list->currentItem())
            m_list->scrollToItem(m_list->currentItem(), QAbstractItemView::PositionAtCenter);
    }
    emit lessonChanged();
}

void EditingModeView::showTitle()
{
    const QString title = lesson() ? lesson()->lessonTitle() : QString();
    if (m_title->text() != title)
        m_title->setText(title);
}

void EditingModeView::refreshDaySettings()
{
    Day* day = lesson() ? lesson()->dayTaught() : nullptr;
    m_daySettings->setText(day ? dayDescription(*day) : QString());
    m_dayTools->setDay(day);
}

void EditingModeView::rowPicked(int row)
{
    if (row >= 0 && row < m_lessons.size())
        NotificationCenter::defaultCenter().post(PlanningNotifications::lessonClickedInEditingMode, m_lessons[row]);
}

void EditingModeView::titleEdited(const QString& title)
{
    if (lesson() && !lesson()->isDeleted())
        lesson()->setValue(u"lessonTitle", title);
}

void EditingModeView::followDeletedLesson()
{
    Lesson* deleted = lesson();
    if (!m_lesson.replaceIfDeleted())
        return;
    if (Lesson* replacement = lesson()) {
        rebuildList();
        showLesson(replacement);
        return;
    }
    showLesson(nullptr);
    NotificationCenter::defaultCenter().post(PlanningNotifications::returnToPlanningMode, deleted);
}
