#pragma once

#include "report/ReportIndents.h"

#include <QString>

#include <functional>
#include <memory>

class Lesson;
class LessonReportInformation;
class QTextDocument;
class ReportTextBuilder;
struct ReportRun;

// The styled text a report shows for one lesson: the course line, the title
// with its unit, the fields the settings show under their labels, the
// assignments given and due, the attachments and the standards.
class LessonReportText {
public:
    // Weekly boxes are narrow: their fields take the body's font and
    // paragraph style outright instead of keeping their own indents.
    enum class Layout { Page, Weekly };
    enum class CourseLine { Left, Centred };
    enum class Prefix { None, FieldTitle };

    // The settings of the lesson's year, created when the year has none yet;
    // none for a lesson outside any year.
    static LessonReportInformation* reportInfo(const Lesson& lesson);

    static std::unique_ptr<QTextDocument> attributedStringForReport(const Lesson& lesson,
        const ReportIndents& indents, CourseLine courseLine, double baseFontSize, Layout layout = Layout::Page);
    // On its own, at the settings' base size.
    static std::unique_ptr<QTextDocument> attributedStringForReport(const Lesson& lesson);
    // On its own, at the weekly base size, as a weekly box shows it.
    static std::unique_ptr<QTextDocument> attributedStringForWeeklyReport(const Lesson& lesson);
    // The same text, appended where the builder stands.
    static void append(ReportTextBuilder& builder, const Lesson& lesson, const ReportIndents& indents,
        CourseLine courseLine, double baseFontSize, Layout layout);

    // "title", then " - (Unit: name)" when the lesson has a unit.
    static QString titleLine(const Lesson& lesson);

    // One rich-text field. With `attributes`, the field takes their font
    // (and, for weekly boxes, their paragraph style); with Prefix::FieldTitle
    // the year's label for the field comes first on a line of its own.
    static std::unique_ptr<QTextDocument> attributedStringForKey(const Lesson& lesson, const QString& fieldKey,
        Prefix prefix, const ReportRun* attributes, double fontSize, Layout layout = Layout::Page);
    // The restyling attributedStringForKey applies to a field's text.
    static void restyle(QTextDocument& field, const ReportRun& attributes, Layout layout);

    // The field as an HTML fragment passed through `escape`; empty when the
    // field holds no text.
    static QString RTFStringFromAttributedString(
        const Lesson& lesson, const QString& fieldKey, const std::function<QString(const QString&)>& escape = {});
};
