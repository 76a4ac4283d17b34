#include "gui/editing/RichTextArea.h"

#include <QKeyEvent>
#include <QTextBlock>
#include <QTextCursor>

RichTextArea::RichTextArea(QWidget* parent)
    : QTextEdit(parent)
{
    setAcceptRichText(true);
    setTabChangesFocus(true);
}

const QString& RichTextArea::bullet()
{
    static const QString text = QStringLiteral("• ");
    return text;
}

void RichTextArea::mergeFormat(const QTextCharFormat& format)
{
    QTextCursor cursor = textCursor();
    cursor.mergeCharFormat(format);
    mergeCurrentCharFormat(format);
}

void RichTextArea::toggleBold()
{
    QTextCharFormat format;
    format.setFontWeight(currentCharFormat().fontWeight() >= QFont::Bold ? QFont::Normal : QFont::Bold);
    mergeFormat(format);
}

void RichTextArea::toggleItalic()
{
    QTextCharFormat format;
    format.setFontItalic(!currentCharFormat().fontItalic());
    mergeFormat(format);
}

void RichTextArea::toggleUnderline()
{
    QTextCharFormat format;
    format.setFontUnderline(!currentCharFormat().fontUnderline());
    mergeFormat(format);
}

void RichTextArea::setPointSize(double pointSize)
{
    QTextCharFormat format;
    format.setFontPointSize(pointSize);
    mergeFormat(format);
}

void RichTextArea::setTextColour(const QColor& colour)
{
    QTextCharFormat format;
    format.setForeground(colour);
    mergeFormat(format);
}

// The selected paragraphs all gain a bullet, or all lose theirs when every
// one already has one, as list buttons of word processors do.
void RichTextArea::toggleBullets()
{
    const QTextCursor selection = textCursor();
    QTextBlock first = document()->findBlock(selection.selectionStart());
    const QTextBlock last = document()->findBlock(selection.selectionEnd());
    bool allBulleted = true;
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        allBulleted = allBulleted && block.text().startsWith(bullet());
        if (block == last)
            break;
    }
    QTextCursor edit(document());
    edit.beginEditBlock();
    for (QTextBlock block = first; block.isValid(); block = block.next()) {
        edit.setPosition(block.position());
        if (allBulleted) {
            edit.setPosition(block.position() + int(bullet().size()), QTextCursor::KeepAnchor);
            edit.removeSelectedText();
        } else if (!block.text().startsWith(bullet())) {
            edit.insertText(bullet());
        }
        if (block == last)
            break;
    }
    edit.endEditBlock();
}

void RichTextArea::keyPressEvent(QKeyEvent* event)
{
    if (event->modifiers() == Qt::ControlModifier) {
        switch (event->key()) {
        case Qt::Key_B:
            toggleBold();
            return;
        case Qt::Key_I:
            toggleItalic();
            return;
        case Qt::Key_U:
            toggleUnderline();
            return;
        default:
            break;
        }
    }
    // A new paragraph after a bulleted one continues the list.
    const bool continueList = (event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter)
        && event->modifiers() == Qt::NoModifier && textCursor().block().text().startsWith(bullet());
    QTextEdit::keyPressEvent(event);
    if (continueList)
        textCursor().insertText(bullet());
}
