#pragma once

#include <QString>

class Document;
class Year;

// The preparations of a plan for the Windows edition, which cannot read some
// of what this edition allows.
class WindowsExport {
public:
    static const QString fileExtension;

    // Deletes the units that belong to no course and the assignments missing
    // the lesson they are given in or due in, and stores each course's
    // colour as the 0–255 components the Windows edition reads.
    static void fixExportProblems(Year& year);
    // The clean-up, then the mark that the plan went to Windows; the caller
    // saves the document afterwards.
    static void prepareForExport(Year& year);
    // n characters drawn from letters and digits.
    static QString genRandStringLength(int n);
    // "<document name>_Windows.smsqlite".
    static QString proposedFileName(const Document& document);
};
