#include "report/LessonReportText.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/prefs/Preferences.h"
#include "foundation/richtext/HtmlFragmentWriter.h"
#include "foundation/richtext/RtfReader.h"
#include "model/Assignment.h"
#include "model/Attachment.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "planning/DisplayPreferences.h"
#include "report/ReportFonts.h"
#include "report/ReportTextBuilder.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextList>

#include <algorithm>
#include <limits>

namespace {

using Weight = ReportFonts::Weight;

struct FieldShow {
    const char* field;
    const char* show;
};

constexpr FieldShow fieldsInOrder[] = { { "lessonBody", "showLessonBody" }, { "homework", "showHomework" },
    { "publicComment", "showPublicComment" }, { "custom1", "showCustom1" }, { "custom2", "showCustom2" },
    { "custom3", "showCustom3" } };

QTextCharFormat characters(double size, Weight weight)
{
    QTextCharFormat format;
    format.setFont(ReportFonts::font(size, weight));
    return format;
}

ReportRun run(double size, Weight weight, const QTextBlockFormat& paragraph)
{
    return { characters(size, weight), paragraph };
}

// Where an assignment sorts: by its lesson's day, a missing day last.
double dayKey(const Lesson* lesson)
{
    const Day* day = lesson ? lesson->dayTaught() : nullptr;
    return day ? day->actualDate().secondsSinceReferenceDate() : std::numeric_limits<double>::max();
}

struct Paragraphs {
    QTextBlockFormat courseLine;
    QTextBlockFormat body;
    QTextBlockFormat standards;
};

Paragraphs paragraphs(const ReportIndents& indents, LessonReportText::CourseLine courseLine)
{
    Paragraphs result;
    result.courseLine.setTextIndent(indents.courseLine);
    if (courseLine == LessonReportText::CourseLine::Centred)
        result.courseLine.setAlignment(Qt::AlignHCenter);
    // A first-line indent is absolute on paper; Qt measures it from the
    // left margin, which holds the following lines' indent.
    result.body.setLeftMargin(indents.bodyFollowingLines);
    result.body.setTextIndent(indents.bodyFirstLine - indents.bodyFollowingLines);
    result.standards.setLeftMargin(indents.standards);
    return result;
}

void appendCourseLine(ReportTextBuilder& out, const Lesson& lesson, const QTextBlockFormat& paragraph, double size)
{
    if (!lesson.course())
        return;
    QTextCharFormat name = characters(size + 1, Weight::Bold);
    name.setFontUnderline(true);
    out.append(lesson.courseName(), { name, paragraph });
    if (lesson.hasTimes() && Preferences::shared().boolValue(DisplayPreferences::alwaysShowLessonTimes)) {
        out.append(QStringLiteral(":  (%1 - %2)")
                       .arg(DateFormatting::formatShortTime(*lesson.startTime()),
                           DateFormatting::formatShortTime(*lesson.endTime())),
            run(size, Weight::Regular, paragraph));
    }
}

void appendFields(ReportTextBuilder& out, const Lesson& lesson, const LessonReportInformation& settings,
    const ReportRun& body, double size, LessonReportText::Layout layout)
{
    bool first = true;
    for (const FieldShow& entry : fieldsInOrder) {
        const QString key = QString::fromLatin1(entry.field);
        if (!settings.isShown(QString::fromLatin1(entry.show)) || !lesson.hasDataForKey(key))
            continue;
        if (!first)
            out.append(QStringLiteral("\n"), body);
        first = false;
        out.append(*LessonReportText::attributedStringForKey(
            lesson, key, LessonReportText::Prefix::FieldTitle, &body, size, layout));
    }
}

void appendAssignmentList(ReportTextBuilder& out, const QString& heading, QList<Assignment*> assignments,
    const ReportRun& body, const ReportRun& bold, bool given)
{
    if (assignments.isEmpty())
        return;
    std::stable_sort(assignments.begin(), assignments.end(), [given](const Assignment* a, const Assignment* b) {
        return given ? dayKey(a->dueLesson()) < dayKey(b->dueLesson())
                     : dayKey(a->assignedLesson()) < dayKey(b->assignedLesson());
    });
    out.append(QStringLiteral("\n"), body);
    out.append(heading, bold);
    out.append(QStringLiteral("\n"), body);
    for (qsizetype i = 0; i < assignments.size(); ++i) {
        const QString item
            = given ? assignments[i]->stringForDailyReport() : assignments[i]->dueStringForDailyReport();
        out.append(QStringLiteral("\t%1) %2\n").arg(i + 1).arg(item), body);
    }
}

void appendAttachments(ReportTextBuilder& out, const Lesson& lesson, const ReportRun& body, const ReportRun& bold)
{
    QList<Attachment*> attachments = lesson.objects<Attachment>(u"attachments");
    if (attachments.isEmpty())
        return;
    std::stable_sort(attachments.begin(), attachments.end(),
        [](const Attachment* a, const Attachment* b) { return a->attachmentName() < b->attachmentName(); });
    out.append(QStringLiteral("\nAttachments:"), bold);
    out.append(QStringLiteral("\n"), body);
    for (const Attachment* attachment : attachments)
        out.append(attachment->stringForDailyReport() + QLatin1Char('\n'), body);
}

// Standards come in short-name, then text order, so that the same lesson
// always prints alike.
QList<StandardInLesson*> standardLinksInOrder(const Lesson& lesson)
{
    QList<StandardInLesson*> links = lesson.objects<StandardInLesson>(u"standards");
    auto key = [](const StandardInLesson* link) {
        const Standard* standard = link->standard();
        return standard ? std::pair(standard->shortName(), standard->text()) : std::pair(QString(), QString());
    };
    std::stable_sort(links.begin(), links.end(),
        [&key](const StandardInLesson* a, const StandardInLesson* b) { return key(a) < key(b); });
    return links;
}

void appendStandards(ReportTextBuilder& out, const Lesson& lesson, const Paragraphs& styles, double size,
    const ReportRun& body, const ReportRun& bold)
{
    const QList<StandardInLesson*> links = standardLinksInOrder(lesson);
    if (links.isEmpty())
        return;
    out.append(QStringLiteral("\nStandards:"), bold);
    out.append(QStringLiteral("\n"), body);
    const ReportRun regular = run(size, Weight::Regular, styles.standards);
    const ReportRun strong = run(size, Weight::Bold, styles.standards);
    for (const StandardInLesson* link : links) {
        if (const Standard* standard = link->standard()) {
            if (!standard->shortName().isEmpty())
                out.append(QStringLiteral("%1: ").arg(standard->shortName()), strong);
            if (!standard->text().isEmpty())
                out.append(standard->text(), regular);
        }
        if (!link->implementationNotes().isEmpty()) {
            // A line break inside the paragraph keeps the notes under their standard.
            out.append(QString(QChar::LineSeparator), regular);
            out.append(QStringLiteral("Notes:"), strong);
            out.append(QStringLiteral(" %1").arg(link->implementationNotes()), regular);
        }
        out.append(QStringLiteral("\n"), regular);
    }
}

void trimTrailingSpaces(QTextDocument& text)
{
    QTextCursor cursor(&text);
    cursor.movePosition(QTextCursor::End);
    while (cursor.position() > 0 && text.characterAt(cursor.position() - 1) == QLatin1Char(' '))
        cursor.deletePreviousChar();
}

} // namespace

LessonReportInformation* LessonReportText::reportInfo(const Lesson& lesson)
{
    Year* year = lesson.year();
    return year ? year->reportInformation() : nullptr;
}

std::unique_ptr<QTextDocument> LessonReportText::attributedStringForReport(const Lesson& lesson,
    const ReportIndents& indents, CourseLine courseLine, double baseFontSize, Layout layout)
{
    auto text = ReportFonts::newDocument();
    ReportTextBuilder builder(*text);
    append(builder, lesson, indents, courseLine, baseFontSize, layout);
    return text;
}

std::unique_ptr<QTextDocument> LessonReportText::attributedStringForReport(const Lesson& lesson)
{
    const LessonReportInformation* settings = reportInfo(lesson);
    return attributedStringForReport(lesson, ReportIndents::lesson(), CourseLine::Left,
        settings ? settings->baseFontSize() : 0, Layout::Page);
}

std::unique_ptr<QTextDocument> LessonReportText::attributedStringForWeeklyReport(const Lesson& lesson)
{
    const LessonReportInformation* settings = reportInfo(lesson);
    return attributedStringForReport(lesson, ReportIndents::lesson(), CourseLine::Left,
        settings ? settings->weeklyReportBaseFontSize() : 0, Layout::Weekly);
}

void LessonReportText::append(ReportTextBuilder& out, const Lesson& lesson, const ReportIndents& indents,
    CourseLine courseLine, double size, Layout layout)
{
    const Paragraphs styles = paragraphs(indents, courseLine);
    const ReportRun body = run(size, Weight::Regular, styles.body);
    const ReportRun bold = run(size, Weight::Bold, styles.body);
    appendCourseLine(out, lesson, styles.courseLine, size);
    out.append(QStringLiteral("\n"), run(size, Weight::Regular, styles.courseLine));
    if (lesson.hasTitle())
        out.append(titleLine(lesson) + QLatin1Char('\n'), body);
    if (const LessonReportInformation* settings = reportInfo(lesson)) {
        appendFields(out, lesson, *settings, body, size, layout);
        if (settings->isShown(QStringLiteral("showTags"))) {
            appendAssignmentList(out, QStringLiteral("Assigned: "), lesson.assignments(), body, bold, true);
            appendAssignmentList(out, QStringLiteral("Due: "), lesson.homeworkDue(), body, bold, false);
        }
        if (settings->isShown(QStringLiteral("showAttachments")))
            appendAttachments(out, lesson, body, bold);
        if (settings->isShown(QStringLiteral("showStandards")))
            appendStandards(out, lesson, styles, size, body, bold);
    }
    out.append(QStringLiteral("\n"), body);
}

QString LessonReportText::titleLine(const Lesson& lesson)
{
    if (const Unit* unit = lesson.unit())
        return QStringLiteral("%1 - (Unit: %2)").arg(lesson.lessonTitle(), unit->unitName());
    return lesson.lessonTitle();
}

std::unique_ptr<QTextDocument> LessonReportText::attributedStringForKey(const Lesson& lesson,
    const QString& fieldKey, Prefix prefix, const ReportRun* attributes, double fontSize, Layout layout)
{
    auto text = ReportFonts::newDocument();
    const QVariant stored = lesson.value(fieldKey);
    if (!stored.isValid() || stored.isNull())
        return text;
    RtfReader::read(stored.toByteArray(), text.get());
    if (attributes)
        restyle(*text, *attributes, layout);
    if (prefix == Prefix::FieldTitle) {
        const Year* year = lesson.year();
        const QString given = year ? year->fieldTitle(fieldKey) : QString();
        const QString title = given.isEmpty() ? fieldKey : given;
        QTextCursor start(text.get());
        const QTextBlockFormat firstParagraph = start.blockFormat();
        const ReportRun label = attributes ? ReportRun { characters(fontSize, Weight::Bold), attributes->paragraph }
                                           : ReportRun { characters(10, Weight::Bold), firstParagraph };
        // The field's first paragraph moves into the new block and keeps its
        // own style (its alignment above all); the title takes the old block.
        start.insertBlock(firstParagraph, start.charFormat());
        start.movePosition(QTextCursor::Start);
        start.setBlockFormat(label.paragraph);
        start.insertText(title, label.characters);
    }
    trimTrailingSpaces(*text);
    return text;
}

void LessonReportText::restyle(QTextDocument& field, const ReportRun& attributes, Layout layout)
{
    for (QTextBlock block = field.begin(); block.isValid(); block = block.next()) {
        QTextCursor cursor(block);
        QTextBlockFormat paragraph = attributes.paragraph;
        if (layout == Layout::Page) {
            // The field keeps its own paragraph, moved in by the body's
            // indent. Bulleted lists arrive from RTF as paragraphs that
            // start with their bullet character, never as text lists, so
            // they need no indent of their own.
            paragraph = block.blockFormat();
            const double moved = paragraph.leftMargin() + attributes.paragraph.leftMargin();
            paragraph.setLeftMargin(moved);
            paragraph.setTextIndent(0);
            paragraph.setRightMargin(moved);
        }
        cursor.setBlockFormat(paragraph);
    }
    // Merged, not set: colour and underline of the field's runs stay.
    QTextCharFormat font;
    font.setFontFamilies(attributes.characters.font().families());
    font.setFontPointSize(attributes.characters.font().pointSizeF());
    font.setFontWeight(attributes.characters.font().weight());
    font.setFontItalic(attributes.characters.font().italic());
    QTextCursor all(&field);
    all.select(QTextCursor::Document);
    all.mergeCharFormat(font);
}

QString LessonReportText::RTFStringFromAttributedString(
    const Lesson& lesson, const QString& fieldKey, const std::function<QString(const QString&)>& escape)
{
    const QString html = HtmlFragmentWriter::fromRtf(lesson.value<QByteArray>(fieldKey));
    if (html.isEmpty() || !escape)
        return html;
    return escape(html);
}
