#pragma once

#include <QList>
#include <QStringList>

// Rows of fields from comma-separated text as spreadsheets write it.
//
// Any run of line ends outside quotes ends a row, so CR LF, LF and blank
// lines all count once; empty rows are dropped. A comma always ends a field
// (even an empty one) and the spaces and tabs after it are skipped; the
// field before a line end or the end of the text is kept only when it is not
// empty, so a line ending in a comma has no empty last field. Quotes are
// never part of a field: inside them commas and line ends are text and two
// quotes give one.
namespace CsvReader {
QList<QStringList> csvRows(const QString& text);
}
