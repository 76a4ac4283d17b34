#include "gui/panels/AssignmentsPanel.h"

#include "foundation/richtext/RtfReader.h"
#include "foundation/richtext/RtfWriter.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/AttachmentsTable.h"
#include "gui/window/UndoStepName.h"
#include "model/Assignment.h"
#include "model/Day.h"
#include "model/Lesson.h"

#include <QComboBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QSpinBox>
#include <QTextDocument>
#include <QVBoxLayout>

AssignmentsPanel::AssignmentsPanel(QWidget* parent)
    : QWidget(parent)
    , m_files(this)
    , m_controller(m_files)
    , m_list(new QListWidget(this))
    , m_add(new QPushButton(QStringLiteral("Add Assignment"), this))
    , m_remove(new QPushButton(QStringLiteral("Remove"), this))
    , m_form(new QWidget(this))
    , m_title(new QLineEdit(m_form))
    , m_details(new RichTextArea(m_form))
    , m_points(new QSpinBox(m_form))
    , m_due(new QComboBox(m_form))
    , m_attachments(new AttachmentsTable(m_form))
{
    m_list->setMinimumHeight(60);
    m_list->setMaximumHeight(110);
    m_add->setObjectName(QStringLiteral("addAssignment"));
    m_remove->setObjectName(QStringLiteral("removeAssignment"));
    m_title->setPlaceholderText(QStringLiteral("Title"));
    m_list->setAccessibleName(tr("Assignments"));
    m_list->setAccessibleDescription(tr("The assignments given in this lesson; choose one to edit it below"));
    m_remove->setAccessibleName(tr("Remove assignment"));
    UndoStepName::set(m_remove, QStringLiteral("Remove Assignment"));
    UndoStepName::set(m_title, QStringLiteral("Rename Assignment"));
    UndoStepName::set(m_points, QStringLiteral("Change Points"));
    UndoStepName::set(m_due, QStringLiteral("Change Due Date"));
    // Return and Tab belong to the text: a new line and a tab, never leaving the field.
    m_details->setTabChangesFocus(false);
    m_details->setAcceptRichText(true);
    m_details->setMinimumHeight(60);
    m_points->setRange(0, 100000);
    m_attachments->setAssignments(&m_controller);

    auto* form = new QFormLayout(m_form);
    form->setContentsMargins(0, 0, 0, 0);
    form->addRow(QStringLiteral("Title:"), m_title);
    form->addRow(QStringLiteral("Details:"), m_details);
    form->addRow(QStringLiteral("Points:"), m_points);
    form->addRow(QStringLiteral("Due:"), m_due);
    form->addRow(m_attachments);

    auto* buttons = new QHBoxLayout;
    buttons->addWidget(m_add);
    buttons->addStretch();
    buttons->addWidget(m_remove);
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_list);
    layout->addLayout(buttons);
    layout->addWidget(m_form, 1);

    connect(m_list, &QListWidget::currentRowChanged, this, &AssignmentsPanel::rowChosen);
    connect(m_add, &QPushButton::clicked, this, &AssignmentsPanel::addAssignment);
    connect(m_remove, &QPushButton::clicked, this, &AssignmentsPanel::removeAssignment);
    connect(m_title, &QLineEdit::textEdited, this, [this](const QString& title) {
        m_controller.setTitle(title);
        if (QListWidgetItem* item = m_list->currentItem())
            item->setText(m_controller.selected()->titleAndDate());
    });
    connect(m_details, &QTextEdit::textChanged, this, [this] {
        if (!m_controller.selected())
            return;
        m_shownDetails = RtfWriter::write(*m_details->document());
        m_controller.setDetails(m_shownDetails);
    });
    connect(m_points, &QSpinBox::valueChanged, this, [this](int points) {
        if (m_controller.selected())
            m_controller.setPoints(points);
    });
    connect(m_due, &QComboBox::activated, this, &AssignmentsPanel::dueChosen);
    showSelected();
}

void AssignmentsPanel::setLesson(Lesson* lesson)
{
    m_controller.setLesson(lesson);
    m_add->setEnabled(lesson != nullptr);
    m_watch.watch(lesson, [this] { refresh(); });
    reloadList();
}

void AssignmentsPanel::refresh()
{
    m_controller.reload();
    if (listShowsAssignments())
        showSelected();
    else
        reloadList();
}

bool AssignmentsPanel::listShowsAssignments() const
{
    const QList<Assignment*>& assignments = m_controller.assignments();
    if (m_list->count() != assignments.size()
        || m_list->currentRow() != int(assignments.indexOf(m_controller.selected())))
        return false;
    for (int row = 0; row < m_list->count(); ++row) {
        if (m_list->item(row)->text() != assignments[row]->titleAndDate())
            return false;
    }
    return true;
}

void AssignmentsPanel::selectRow(int row)
{
    m_list->setCurrentRow(row);
}

void AssignmentsPanel::reloadList()
{
    Assignment* keep = m_controller.selected();
    const QSignalBlocker quiet(m_list);
    m_list->clear();
    for (const Assignment* assignment : m_controller.assignments())
        m_list->addItem(assignment->titleAndDate());
    m_list->setCurrentRow(int(m_controller.assignments().indexOf(keep)));
    showSelected();
}

void AssignmentsPanel::rowChosen(int row)
{
    m_controller.select(row >= 0 ? m_controller.assignments().value(row) : nullptr);
    showSelected();
}

void AssignmentsPanel::showSelected()
{
    const Assignment* selected = m_controller.selected();
    m_remove->setEnabled(selected != nullptr);
    m_form->setEnabled(selected != nullptr);
    showDueChoices(selected);
    const QString title = selected ? selected->title() : QString();
    if (m_title->text() != title)
        m_title->setText(title);
    {
        const QSignalBlocker quietPoints(m_points);
        m_points->setValue(selected ? selected->points() : 0);
    }
    showDetails(selected);
    if (selected != m_shownAssignment)
        m_attachments->reload();
    else
        m_attachments->refresh();
    m_shownAssignment = selected;
}

// The choices take a walk through the course: made again only for another
// assignment or another due lesson.
void AssignmentsPanel::showDueChoices(const Assignment* selected)
{
    const Lesson* due = selected ? selected->dueLesson() : nullptr;
    if (selected && selected == m_shownAssignment && due == m_shownDue)
        return;
    m_shownDue = due;
    const QSignalBlocker quietDue(m_due);
    m_due->clear();
    m_dueChoices = m_controller.dueLessonChoices();
    for (const Lesson* lesson : m_dueChoices)
        m_due->addItem(lesson->dayTaught() ? lesson->dayTaught()->dateForAssignmentsPopUp() : QString());
    m_due->setCurrentIndex(selected ? int(m_dueChoices.indexOf(due)) : -1);
}

void AssignmentsPanel::showDetails(const Assignment* selected)
{
    const QByteArray details = selected ? selected->value<QByteArray>(u"details") : QByteArray();
    if (selected && selected == m_shownAssignment && details == m_shownDetails)
        return;
    m_shownDetails = details;
    const QSignalBlocker quietDetails(m_details);
    if (details.isEmpty())
        m_details->clear();
    else
        RtfReader::read(details, m_details->document());
}

void AssignmentsPanel::addAssignment()
{
    m_controller.addAssignment();
    reloadList();
    m_title->setFocus();
}

void AssignmentsPanel::removeAssignment()
{
    m_controller.removeAssignment();
    reloadList();
}

void AssignmentsPanel::dueChosen(int index)
{
    m_controller.setDueLesson(m_dueChoices.value(index));
    reloadList();
}
