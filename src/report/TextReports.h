#pragma once

#include "foundation/dates/Date.h"

#include <QList>

#include <memory>

class Lesson;
class LessonReportInformation;
class QTextDocument;
class ReportTextBuilder;
class Standard;
class Unit;
class Year;

// The three flowing text reports, each under its teacher-written header.
class TextReports {
public:
    // Every day from the start of `first`'s day to the end of `last`'s day.
    // The range is the caller's, so that a print of one day never touches
    // the range the teacher keeps in the settings.
    static std::unique_ptr<QTextDocument> dailyPlan(Year& year, Date first, Date last);
    // Every lesson of the unit by date; the header alone when no unit is chosen.
    static std::unique_ptr<QTextDocument> unitReport(Year& year, const Unit* unit);
    // Every lesson linked to the standard or one below it, under its day;
    // the header alone when no standard is chosen.
    static std::unique_ptr<QTextDocument> standardsReport(Year& year, const Standard* standard);

private:
    static void appendHeader(ReportTextBuilder& out, const LessonReportInformation& settings, const QString& key);
    static void appendTitle(ReportTextBuilder& out, const QString& title, double size);
};
