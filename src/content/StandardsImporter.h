#pragma once

#include "content/StandardsImport.h"

#include <QByteArray>
#include <QString>

#include <optional>

class Year;

// Reads a standards file of any known format into a year. The first format
// that recognises the content reads it; comma-separated text comes last as
// the catch-all.
namespace StandardsImporter {
// None when no format takes the file: its bytes are not text we can read.
std::optional<StandardsImportReport> importData(const QString& fileName, const QByteArray& bytes, Year& year);
} // namespace StandardsImporter
