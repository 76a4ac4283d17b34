#pragma once

#include "content/StandardLookup.h"

#include <QStringList>

class Standard;
class Year;

// What one import did, for the one alert that reports it.
struct StandardsImportReport {
    int added = 0;
    int skipped = 0;
    int refused = 0;
    // Standards that were added but not where the file put them.
    int misplaced = 0;
    // Why rows were refused or misplaced, in file order.
    QStringList problems;

    int errors() const { return refused + misplaced; }
    QString summary() const;
};

// The state of one import into a year: where new standards go, how to find
// those already there (including the ones this import made) and the tally.
class StandardsImport {
public:
    explicit StandardsImport(Year& year);

    Year& year() const { return m_year; }
    Standard* root() const { return m_root; }
    const StandardLookup& lookup() const { return m_lookup; }
    StandardsImportReport& report() { return m_report; }

    // A new standard of the year under `parent` (the root when none),
    // changed now. Counts nothing: the formats know what a row means.
    Standard* create(const QString& text, const QString& shortName, Standard* parent);
    void refuse(const QString& reason);
    void misplace(const QString& reason);

private:
    Year& m_year;
    Standard* m_root;
    StandardLookup m_lookup;
    StandardsImportReport m_report;
};
