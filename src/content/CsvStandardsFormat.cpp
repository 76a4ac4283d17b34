#include "content/CsvStandardsFormat.h"

#include "content/StandardsImport.h"
#include "model/Standard.h"

bool CsvStandardsFormat::recognises(const StandardsSource& source) const
{
    return source.text().has_value();
}

void CsvStandardsFormat::read(const StandardsSource& source, StandardsImport& into) const
{
    int number = 0;
    for (const QStringList& row : source.rows()) {
        ++number;
        switch (row.size()) {
        case 4:
            readGroupRow(row, into);
            break;
        case 2:
            readPairRow(row, into);
            break;
        case 1:
            readSingleRow(row, into);
            break;
        default:
            into.refuse(
                QStringLiteral("Row %1 has %2 fields; a row has one, two or four.").arg(number).arg(row.size()));
        }
    }
}

// group, group code, standard, standard code: the group is made when it is
// new; a standard whose text is already there counts as a duplicate.
void CsvStandardsFormat::readGroupRow(const QStringList& row, StandardsImport& into)
{
    Standard* group = into.lookup().matching(row.at(0));
    if (group && into.lookup().matching(row.at(2))) {
        ++into.report().skipped;
        return;
    }
    if (!group)
        group = into.create(row.at(0), row.at(1), nullptr);
    into.create(row.at(2), row.at(3), group);
    ++into.report().added;
}

// code, text: a top-level standard with that code, holding one standard
// with the same text.
void CsvStandardsFormat::readPairRow(const QStringList& row, StandardsImport& into)
{
    if (into.lookup().matching(row.at(0))) {
        ++into.report().skipped;
        return;
    }
    Standard* group = into.create(row.at(1), row.at(0), nullptr);
    into.create(row.at(1), QString(), group);
    ++into.report().added;
}

void CsvStandardsFormat::readSingleRow(const QStringList& row, StandardsImport& into)
{
    if (into.lookup().matching(row.at(0))) {
        ++into.report().skipped;
        return;
    }
    into.create(row.at(0), QString(), nullptr);
    ++into.report().added;
}
