#pragma once

class QKeyEvent;
class QWidget;

// Ctrl+Shift+V means "paste as plain text" in most programs. In a text
// field it pastes the clipboard's text without its styling; everywhere else
// in the window the key belongs to Paste Lesson.
namespace PlainTextPaste {

bool isPlainTextPasteKey(const QKeyEvent& event);
// A line edit or a text area that can be typed into.
bool isEditableTextField(const QWidget* widget);
// Pastes the clipboard's text into the field; false when the widget is no
// editable text field.
bool pasteInto(QWidget* widget);

} // namespace PlainTextPaste
