#pragma once

#include "content/StandardsFormat.h"

// A teacher's own list: each row is a standard, by its number of fields
// (group, group code, standard, standard code | code, text | text).
class CsvStandardsFormat : public StandardsFormat {
public:
    bool recognises(const StandardsSource& source) const override;
    void read(const StandardsSource& source, StandardsImport& into) const override;

private:
    static void readGroupRow(const QStringList& row, StandardsImport& into);
    static void readPairRow(const QStringList& row, StandardsImport& into);
    static void readSingleRow(const QStringList& row, StandardsImport& into);
};
