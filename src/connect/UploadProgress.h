#pragma once

#include <QList>
#include <QString>

// The status line of a file being uploaded, one line per tick of a 0.1 s
// clock: "name (writtenK of totalK at speed Kb/s)". The speed is the bytes
// written since the previous tick divided by 100, averaged over the last
// ten ticks so that it does not flicker with each burst the network takes.
class UploadProgress {
public:
    static constexpr int tickMilliseconds = 100;
    static constexpr int averagedTicks = 10;

    UploadProgress(QString name, qint64 totalBytes);

    // Takes the bytes written so far and answers the line to show.
    QString tick(qint64 bytesWritten);

    // A speed with at most one fraction digit ("12.5", "12", "0").
    static QString formatSpeed(double speed);

private:
    QString m_name;
    qint64 m_totalBytes;
    qint64 m_lastWritten = 0;
    // Bytes written in each of the last ticks, oldest first.
    QList<qint64> m_steps;
};
