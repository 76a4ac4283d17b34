#pragma once

#include <QElapsedTimer>

class QProgressBar;

// Drives a sheet's progress bar from a long export or import on the main
// thread: shows it, moves it, and lets the window repaint every few
// milliseconds so that it never looks frozen. Typing and clicks wait until
// the work is done, since the records are being changed under them.
class SheetProgress {
public:
    explicit SheetProgress(QProgressBar& bar);
    ~SheetProgress();
    SheetProgress(const SheetProgress&) = delete;
    SheetProgress& operator=(const SheetProgress&) = delete;

    void report(qsizetype done, qsizetype total);

private:
    QProgressBar& m_bar;
    QElapsedTimer m_sinceRepaint;
};
