#pragma once

#include <QTextCharFormat>
#include <QTextEdit>

class QColor;

// The text area of a field editor: rich text with the styling a teacher uses
// in a plan (bold, italic, underline, bulleted paragraphs, font size and
// colour), all of which survives being stored as RTF. Bullets are written as
// text ("• " at the start of the paragraph) because RTF list tables do not
// survive every word processor that may read the field later.
class RichTextArea : public QTextEdit {
public:
    explicit RichTextArea(QWidget* parent = nullptr);

    void toggleBold();
    void toggleItalic();
    void toggleUnderline();
    void toggleBullets();
    void setPointSize(double pointSize);
    void setTextColour(const QColor& colour);

    static const QString& bullet();

protected:
    void keyPressEvent(QKeyEvent* event) override;

private:
    void mergeFormat(const QTextCharFormat& format);
};
