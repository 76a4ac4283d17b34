#include "report/TextReports.h"

#include "foundation/richtext/RtfReader.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/Standard.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "report/DayReportText.h"
#include "report/LessonReportText.h"
#include "report/ReportFonts.h"
#include "report/ReportTextBuilder.h"

#include <QSet>
#include <QTextBlock>
#include <QTextDocument>

#include <algorithm>

namespace {

std::unique_ptr<QTextDocument> newReport()
{
    return ReportFonts::newDocument();
}

} // namespace

void TextReports::appendHeader(ReportTextBuilder& out, const LessonReportInformation& settings, const QString& key)
{
    const QByteArray rtf = settings.header(key);
    if (rtf.isEmpty())
        return;
    auto header = ReportFonts::newDocument();
    RtfReader::read(rtf, header.get());
    for (QTextBlock block = header->begin(); block.isValid(); block = block.next()) {
        QTextBlockFormat centred = block.blockFormat();
        centred.setAlignment(Qt::AlignHCenter);
        QTextCursor(block).setBlockFormat(centred);
    }
    out.append(*header);
    out.append(QStringLiteral("\n\n"), ReportRun());
}

void TextReports::appendTitle(ReportTextBuilder& out, const QString& title, double size)
{
    ReportRun centred;
    centred.characters.setFont(ReportFonts::font(size, ReportFonts::Weight::Bold));
    centred.paragraph.setAlignment(Qt::AlignHCenter);
    out.append(title + QStringLiteral("\n\n"), centred);
}

std::unique_ptr<QTextDocument> TextReports::dailyPlan(Year& year, Date first, Date last)
{
    LessonReportInformation& settings = *year.reportInformation();
    auto text = newReport();
    ReportTextBuilder out(*text);
    appendHeader(out, settings, QStringLiteral("dailyHeader"));
    for (const Day* day : year.getDaysAfterDate(first.midnightDate(), last.elevenFiftyNineDate()))
        DayReportText::appendReport(out, *day, settings.baseFontSize());
    return text;
}

std::unique_ptr<QTextDocument> TextReports::unitReport(Year& year, const Unit* unit)
{
    LessonReportInformation& settings = *year.reportInformation();
    const double size = settings.baseFontSize();
    auto text = newReport();
    ReportTextBuilder out(*text);
    appendHeader(out, settings, QStringLiteral("unitHeader"));
    if (!unit)
        return text;
    const Course* course = unit->course();
    appendTitle(out, QStringLiteral("%1 lessons in %2").arg(unit->unitName(), course ? course->courseName() : QString()),
        size + 2);
    const QList<Lesson*> lessons = unit->allLessonsInOrder();
    if (lessons.isEmpty()) {
        ReportRun body;
        body.characters.setFont(ReportFonts::font(size));
        out.append(QStringLiteral("No lessons found in unit: %1").arg(unit->unitName()), body);
        return text;
    }
    for (const Lesson* lesson : lessons) {
        if (const Day* day = lesson->dayTaught())
            DayReportText::appendHeading(out, *day, size);
        LessonReportText::append(out, *lesson, ReportIndents::inDay(), LessonReportText::CourseLine::Left, size,
            LessonReportText::Layout::Page);
    }
    return text;
}

std::unique_ptr<QTextDocument> TextReports::standardsReport(Year& year, const Standard* standard)
{
    LessonReportInformation& settings = *year.reportInformation();
    auto text = newReport();
    ReportTextBuilder out(*text);
    appendHeader(out, settings, QStringLiteral("standardsHeader"));
    if (!standard)
        return text;
    appendTitle(out, QStringLiteral("Lessons matching standard: %1").arg(standard->shortName()), 14);
    // A lesson linked to the standard and to one below it appears twice here;
    // each day lists its lessons once whatever the count.
    const QList<Lesson*> lessons = standard->getAllLessonsMatchingStandard();
    QList<Day*> days;
    for (const Lesson* lesson : lessons) {
        Day* day = lesson->dayTaught();
        if (day && !days.contains(day))
            days.append(day);
    }
    std::sort(days.begin(), days.end(), [](const Day* a, const Day* b) { return a->actualDate() < b->actualDate(); });
    for (const Day* day : days)
        DayReportText::appendLessons(out, *day, lessons, settings.baseFontSize());
    return text;
}
