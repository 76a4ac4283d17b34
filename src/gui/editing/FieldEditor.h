#pragma once

#include "planning/LessonWatch.h"

#include <QByteArray>
#include <QWidget>

class Lesson;
class QCheckBox;
class QComboBox;
class QLineEdit;
class QToolButton;
class RichTextArea;
class Year;

// The editor of one rich-text field of a lesson. Its four controls are live
// views in both directions: the text area edits the lesson's field (every
// keystroke is stored at once, so the plain-text shadow and the lesson views
// follow), while the title, the show check box and the expand control edit
// the year's label, show flag and expanded flag for the field, which hold
// for every lesson of the year.
class FieldEditor : public QWidget {
    Q_OBJECT
public:
    explicit FieldEditor(const QString& textKey, QWidget* parent = nullptr);

    // The year is the lesson's; none hides the text area.
    void setLesson(Lesson* lesson);
    Lesson* lesson() const { return m_lesson; }
    const QString& textKey() const { return m_textKey; }
    // Whether the year keeps the field expanded.
    bool shouldBeVisible() const;

    RichTextArea* textArea() const { return m_text; }
    QLineEdit* titleEdit() const { return m_title; }
    QCheckBox* showBox() const { return m_show; }
    QToolButton* expandButton() const { return m_expand; }

protected:
    void showEvent(QShowEvent* event) override;

private:
    QWidget* buildFormatBar();
    void loadYearSettings();
    void nameControls();
    void loadText();
    void writeText();
    void setYearFlag(const QString& key, bool on);
    void titleEdited();
    void lessonTextChanged();

    const QString m_textKey;
    const QString m_showKey;
    const QString m_expandedKey;
    Lesson* m_lesson = nullptr;
    Year* m_year = nullptr;
    // The RTF this editor stored last, so that its own change coming back
    // through the notification does not reload the text under the cursor.
    QByteArray m_written;
    QToolButton* m_expand = nullptr;
    QLineEdit* m_title = nullptr;
    QCheckBox* m_show = nullptr;
    QWidget* m_formatBar = nullptr;
    QComboBox* m_size = nullptr;
    RichTextArea* m_text = nullptr;
    LessonWatch m_watch;
};
