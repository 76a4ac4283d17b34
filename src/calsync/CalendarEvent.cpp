#include "calsync/CalendarEvent.h"

#include <QCryptographicHash>

namespace {

QByteArray componentsText(const DateComponents& parts)
{
    return QStringLiteral("%1-%2-%3T%4:%5:%6")
        .arg(parts.year)
        .arg(parts.month)
        .arg(parts.day)
        .arg(parts.hour)
        .arg(parts.minute)
        .arg(parts.second)
        .toUtf8();
}

} // namespace

QByteArray CalendarEvent::digest() const
{
    QCryptographicHash hash(QCryptographicHash::Sha1);
    // The unit separator keeps "a" + "bc" apart from "ab" + "c".
    for (const QByteArray& part : { title.toUtf8(), notes.toUtf8(), QByteArray(allDay ? "1" : "0"),
             componentsText(start), componentsText(allDay ? start : end), allDay ? QByteArray() : timeZone.toUtf8() }) {
        hash.addData(part);
        hash.addData("\x1f");
    }
    return hash.result().toHex();
}
