#pragma once

#include <QDialog>

class QLabel;

// "About Semestra": what the program is, its version and licence, and the
// libraries it runs on with their versions, so that a teacher reporting a
// problem can copy everything at once.
class AboutDialog : public QDialog {
public:
    explicit AboutDialog(QWidget* parent = nullptr);

    // The planner's version, as the build names it.
    static QString version();
    static QString licence();
    // The whole text, plain, as the copy button puts it on the clipboard.
    QString plainText() const;

private:
    QLabel* m_text;
};
