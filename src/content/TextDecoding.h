#pragma once

#include <QByteArray>
#include <QString>

#include <optional>

// Reads the bytes of a text file the way teachers' spreadsheets save them: a
// UTF-8 or UTF-16 byte-order mark decides (and is dropped); otherwise UTF-8
// when the bytes are valid UTF-8, else Windows-1252. Bytes that are neither
// text (control characters, a zip container of a spreadsheet renamed to
// .csv) give nothing.
namespace TextDecoding {
std::optional<QString> decode(const QByteArray& bytes);
}
