#include "gui/panels/LessonEditorPanel.h"

#include "gui/content/LessonStandardsPane.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/AssignmentsPanel.h"
#include "gui/panels/AttachmentsTable.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"

#include <QLabel>
#include <QLineEdit>
#include <QStackedWidget>
#include <QTabBar>
#include <QVBoxLayout>

#include <algorithm>

LessonEditorPanel::LessonEditorPanel(QWidget* parent)
    : QWidget(parent)
    , m_heading(new QLabel(this))
    , m_segments(new QTabBar(this))
    , m_pages(new QStackedWidget(this))
    , m_standard(new FieldEditorColumn(
          { QStringLiteral("lessonBody"), QStringLiteral("homework"), QStringLiteral("publicComment") }, m_pages))
    , m_custom(new FieldEditorColumn(
          { QStringLiteral("custom1"), QStringLiteral("custom2"), QStringLiteral("custom3") }, m_pages))
    , m_standards(new LessonStandardsPane(m_pages))
    , m_attachments(new AttachmentsTable(this))
    , m_assignments(new AssignmentsPanel(m_pages))
{
    QFont headingFont = m_heading->font();
    headingFont.setBold(true);
    m_heading->setFont(headingFont);
    m_heading->setWordWrap(true);
    for (const char* caption : { "Fields", "Custom", "Assignments", "Standards" })
        m_segments->addTab(QString::fromLatin1(caption));
    m_segments->setExpanding(true);
    m_segments->setAccessibleName(tr("Lesson editor sections"));
    // The panel may be narrow; captions shorten rather than widen it.
    m_segments->setElideMode(Qt::ElideRight);
    m_segments->setUsesScrollButtons(true);
    m_segments->setDrawBase(false);
    m_pages->addWidget(m_standard);
    m_pages->addWidget(m_custom);
    m_pages->addWidget(m_assignments);
    m_pages->addWidget(m_standards);

    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_heading);
    layout->addWidget(m_segments);
    layout->addWidget(m_pages, 1);
    layout->addWidget(m_attachments);
    connect(m_segments, &QTabBar::currentChanged, m_pages, &QStackedWidget::setCurrentIndex);
    // The tree may have changed while another segment showed.
    connect(m_segments, &QTabBar::currentChanged, this, [this](int tag) {
        if (tag == Standards)
            m_standards->reload();
    });
}

void LessonEditorPanel::setLesson(Lesson* lesson)
{
    m_lesson = lesson;
    m_observers.clear();
    if (lesson) {
        m_observers.observe(ModelNotifications::courseNameChanged, &lesson->context(),
            [this](const Notification&) { refreshHeading(); });
    }
    refreshHeading();
    m_standard->setLesson(lesson);
    m_custom->setLesson(lesson);
    m_standards->setLesson(lesson);
    m_attachments->setLesson(lesson);
    m_assignments->setLesson(lesson);
}

void LessonEditorPanel::showSegment(Segment segment)
{
    m_segments->setCurrentIndex(segment);
}

void LessonEditorPanel::focusFirstField()
{
    showSegment(StandardFields);
    const QList<FieldEditor*>& editors = m_standard->editors();
    const auto open = std::find_if(
        editors.begin(), editors.end(), [](const FieldEditor* editor) { return editor->shouldBeVisible(); });
    // With every field collapsed, the first one's title is where typing can start.
    if (open != editors.end())
        (*open)->textArea()->setFocus(Qt::OtherFocusReason);
    else if (!editors.isEmpty())
        editors.first()->titleEdit()->setFocus(Qt::OtherFocusReason);
}

LessonEditorPanel::Segment LessonEditorPanel::segment() const
{
    return Segment(m_segments->currentIndex());
}

QString LessonEditorPanel::heading() const
{
    return m_heading->text();
}

void LessonEditorPanel::refreshHeading()
{
    m_heading->setText(m_lesson && !m_lesson->isDeleted() ? m_lesson->dateAndCourseNameString() : QString());
}
