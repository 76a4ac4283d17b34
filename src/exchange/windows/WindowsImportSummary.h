#pragma once

#include <QString>

// What an import left out because it would have broken the plan: records
// whose links point nowhere they can hang from, counted by kind.
struct WindowsImportSummary {
    int lessonsWithoutCourseOrDay = 0;
    int daysWithoutWeek = 0;
    int standardsInLoops = 0;
    int standardLinksWithoutEnds = 0;

    bool skippedAnything() const;
    // One sentence per kind that was skipped, for the alert that reports them.
    QString message() const;

    static const QString alertTitle;
};
