#pragma once

#include <QList>

#include <memory>

class Day;
class Lesson;
class QTextDocument;
class ReportTextBuilder;

// The styled text of a day in the text reports: its heading and its
// lessons, each set in under the heading.
class DayReportText {
public:
    // The day's date on a line of its own, followed by an empty line.
    static void appendHeading(ReportTextBuilder& out, const Day& day, double baseFontSize);
    // The heading; a non-school day's name; every shown lesson that holds
    // something; the day's notes when the notes are shown.
    static void appendReport(ReportTextBuilder& out, const Day& day, double baseFontSize);
    // The heading and those of the day's lessons that are in `lessons`.
    static void appendLessons(ReportTextBuilder& out, const Day& day, const QList<Lesson*>& lessons, double baseFontSize);

    static std::unique_ptr<QTextDocument> attributedStringForReport(const Day& day);
    static std::unique_ptr<QTextDocument> attributedStringForLessonsInArray(const Day& day, const QList<Lesson*>& lessons);

private:
    static void appendLesson(ReportTextBuilder& out, const Lesson& lesson, double baseFontSize);
};
