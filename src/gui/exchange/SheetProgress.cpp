#include "gui/exchange/SheetProgress.h"

#include <QCoreApplication>
#include <QProgressBar>

namespace {

// Long enough to cost nothing on a small course, short enough to look smooth.
constexpr qint64 repaintIntervalMs = 40;

} // namespace

SheetProgress::SheetProgress(QProgressBar& bar)
    : m_bar(bar)
{
    m_bar.setRange(0, 0);
    m_bar.setVisible(true);
    m_sinceRepaint.start();
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
}

SheetProgress::~SheetProgress()
{
    m_bar.setVisible(false);
}

void SheetProgress::report(qsizetype done, qsizetype total)
{
    if (m_sinceRepaint.elapsed() < repaintIntervalMs)
        return;
    m_bar.setRange(0, int(total));
    m_bar.setValue(int(done));
    QCoreApplication::processEvents(QEventLoop::ExcludeUserInputEvents);
    m_sinceRepaint.restart();
}
