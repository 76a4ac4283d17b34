#pragma once

// The four indents, in points, of a lesson's report text: the course line's
// first line, the body's first and following lines, and both indents of each
// standard's paragraph.
struct ReportIndents {
    double courseLine = 0;
    double bodyFirstLine = 0;
    double bodyFollowingLines = 0;
    double standards = 0;

    // A lesson shown on its own, as in a weekly box.
    static constexpr ReportIndents lesson() { return { 2, 5, 5, 5 }; }
    // A lesson under its day's heading, set in from it.
    static constexpr ReportIndents inDay() { return { 10, 20, 25, 30 }; }
};
