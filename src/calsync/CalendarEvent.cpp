#include "calsync/CalendarEvent.h"

#include <QCryptographicHash>

#include <algorithm>
#include <array>
#include <cstdio>

namespace {

// Hashed for every event of a sync: one formatting pass, one allocation.
QByteArray componentsText(const DateComponents& parts)
{
    std::array<char, 80> text {};
    const int length = std::snprintf(text.data(), text.size(), "%d-%d-%dT%d:%d:%d", parts.year, parts.month, parts.day,
        parts.hour, parts.minute, parts.second);
    return QByteArray(text.data(), std::clamp(length, 0, int(text.size()) - 1));
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
