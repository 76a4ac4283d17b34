#include "report/DayReportText.h"

#include "foundation/prefs/Preferences.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/Year.h"
#include "planning/DisplayPreferences.h"
#include "report/LessonReportText.h"
#include "report/ReportFonts.h"
#include "report/ReportTextBuilder.h"

#include <QSet>
#include <QTextDocument>

namespace {

ReportRun plainRun(double size, ReportFonts::Weight weight = ReportFonts::Weight::Regular)
{
    QTextCharFormat characters;
    characters.setFont(ReportFonts::font(size, weight));
    return { characters, QTextBlockFormat() };
}

double baseFontSizeOf(const Day& day)
{
    Year* year = day.year();
    return year ? year->reportInformation()->baseFontSize() : 0;
}

} // namespace

void DayReportText::appendHeading(ReportTextBuilder& out, const Day& day, double baseFontSize)
{
    out.append(day.mediumLongDateString() + QStringLiteral("\n\n"), plainRun(baseFontSize + 2, ReportFonts::Weight::Bold));
}

void DayReportText::appendReport(ReportTextBuilder& out, const Day& day, double baseFontSize)
{
    appendHeading(out, day, baseFontSize);
    // A substitute reading a holiday's page should learn why it is empty.
    if (day.isNonSchoolDay())
        out.append(QStringLiteral("  %1\n").arg(day.holidayTitle()), plainRun(baseFontSize, ReportFonts::Weight::Bold));
    for (const Lesson* lesson : day.lessonsToDrawInOrder()) {
        if (lesson->hasData())
            appendLesson(out, *lesson, baseFontSize);
    }
    if (Preferences::shared().boolValue(DisplayPreferences::showNotesView) && day.notesHasData())
        out.append(QStringLiteral("\n  Notes: %1").arg(day.notes()), plainRun(baseFontSize));
    out.append(QStringLiteral("\n\n"), plainRun(baseFontSize));
}

void DayReportText::appendLessons(
    ReportTextBuilder& out, const Day& day, const QList<Lesson*>& lessons, double baseFontSize)
{
    appendHeading(out, day, baseFontSize);
    const QSet<const Lesson*> wanted(lessons.begin(), lessons.end());
    for (const Lesson* lesson : day.lessonsInOrder()) {
        if (wanted.contains(lesson))
            appendLesson(out, *lesson, baseFontSize);
    }
}

std::unique_ptr<QTextDocument> DayReportText::attributedStringForReport(const Day& day)
{
    auto text = ReportFonts::newDocument();
    ReportTextBuilder builder(*text);
    appendReport(builder, day, baseFontSizeOf(day));
    return text;
}

std::unique_ptr<QTextDocument> DayReportText::attributedStringForLessonsInArray(
    const Day& day, const QList<Lesson*>& lessons)
{
    auto text = ReportFonts::newDocument();
    ReportTextBuilder builder(*text);
    appendLessons(builder, day, lessons, baseFontSizeOf(day));
    return text;
}

void DayReportText::appendLesson(ReportTextBuilder& out, const Lesson& lesson, double baseFontSize)
{
    LessonReportText::append(out, lesson, ReportIndents::inDay(), LessonReportText::CourseLine::Left, baseFontSize,
        LessonReportText::Layout::Page);
}
