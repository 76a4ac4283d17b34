#include "gui/editing/FieldEditorColumn.h"

#include "gui/editing/FieldEditor.h"

#include <QVBoxLayout>

FieldEditorColumn::FieldEditorColumn(const QStringList& textKeys, QWidget* parent)
    : QWidget(parent)
{
    auto* layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    for (const QString& key : textKeys) {
        auto* editor = new FieldEditor(key, this);
        m_editors.append(editor);
        layout->addWidget(editor);
    }
    // Keeps collapsed headers together at the top when nothing is expanded.
    layout->addStretch(0);
}

void FieldEditorColumn::setLesson(Lesson* lesson)
{
    for (FieldEditor* editor : m_editors)
        editor->setLesson(lesson);
}

FieldEditor* FieldEditorColumn::editor(const QString& textKey) const
{
    for (FieldEditor* editor : m_editors) {
        if (editor->textKey() == textKey)
            return editor;
    }
    return nullptr;
}
