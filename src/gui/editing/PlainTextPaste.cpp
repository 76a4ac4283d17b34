#include "gui/editing/PlainTextPaste.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QKeyEvent>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTextEdit>

namespace PlainTextPaste {

bool isPlainTextPasteKey(const QKeyEvent& event)
{
    return event.keyCombination() == QKeyCombination(Qt::ControlModifier | Qt::ShiftModifier, Qt::Key_V);
}

bool isEditableTextField(const QWidget* widget)
{
    if (const auto* line = qobject_cast<const QLineEdit*>(widget))
        return !line->isReadOnly();
    if (const auto* area = qobject_cast<const QTextEdit*>(widget))
        return !area->isReadOnly();
    if (const auto* plain = qobject_cast<const QPlainTextEdit*>(widget))
        return !plain->isReadOnly();
    return false;
}

bool pasteInto(QWidget* widget)
{
    if (!isEditableTextField(widget))
        return false;
    // A line edit and a plain text area take nothing but text anyway.
    if (auto* area = qobject_cast<QTextEdit*>(widget))
        area->insertPlainText(QGuiApplication::clipboard()->text());
    else if (auto* line = qobject_cast<QLineEdit*>(widget))
        line->paste();
    else
        static_cast<QPlainTextEdit*>(widget)->paste();
    return true;
}

} // namespace PlainTextPaste
