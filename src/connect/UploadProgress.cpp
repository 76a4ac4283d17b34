#include "connect/UploadProgress.h"

#include <algorithm>
#include <numeric>

UploadProgress::UploadProgress(QString name, qint64 totalBytes)
    : m_name(std::move(name))
    , m_totalBytes(totalBytes)
{ }

QString UploadProgress::tick(qint64 bytesWritten)
{
    // A transfer that starts over (a redirect) must not show a negative speed.
    m_steps.append(std::max<qint64>(0, bytesWritten - m_lastWritten));
    m_lastWritten = bytesWritten;
    if (m_steps.size() > averagedTicks)
        m_steps.removeFirst();
    const double perTick = double(std::accumulate(m_steps.begin(), m_steps.end(), qint64(0))) / double(m_steps.size());
    return QStringLiteral("%1 (%2K of %3K at %4 Kb/s)")
        .arg(m_name)
        .arg(bytesWritten / 1024)
        .arg(m_totalBytes / 1024)
        .arg(formatSpeed(perTick / 100.0));
}

QString UploadProgress::formatSpeed(double speed)
{
    QString text = QString::number(speed, 'f', 1);
    if (text.endsWith(QLatin1String(".0")))
        text.chop(2);
    return text;
}
