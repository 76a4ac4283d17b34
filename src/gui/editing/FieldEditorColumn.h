#pragma once

#include <QWidget>

class FieldEditor;
class Lesson;

// Field editors of one lesson stacked in a column, in the order given.
// Expanded fields share the height; collapsed ones keep only their header.
class FieldEditorColumn : public QWidget {
public:
    FieldEditorColumn(const QStringList& textKeys, QWidget* parent = nullptr);

    void setLesson(Lesson* lesson);
    const QList<FieldEditor*>& editors() const { return m_editors; }
    FieldEditor* editor(const QString& textKey) const;

private:
    QList<FieldEditor*> m_editors;
};
