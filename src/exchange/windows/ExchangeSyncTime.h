#pragma once

#include "foundation/dates/Date.h"

#include <QString>

#include <optional>

// The time of the last sync with the online service, which the document keeps
// as text (decimal seconds since 1970) and the exchange file as a date.
// Copying one into the other unconverted would read seconds since 1970 as
// seconds since 2001, three decades ahead, and a sync that believes it ran in
// the future sends nothing.
class ExchangeSyncTime {
public:
    // The document's text for a date read from a file. A time later than
    // tomorrow cannot be a real sync, so it counts as never synced.
    static QString documentText(Date fileDate);
    // The text of a year that was never synced: the most distant past.
    static QString neverSynced();
    // The file's date for the document's text; none when the text holds no number.
    static std::optional<Date> fileDate(const QString& documentText);
};
