#pragma once

#include <QByteArray>
#include <QList>
#include <QStringList>

#include <memory>
#include <optional>
#include <utility>

class Lesson;
class QFont;
class QTextDocument;
class Year;

// The text a lesson box shows under its course band: the lesson's title,
// then each shown field that holds text in the year's field order, and on
// request the assignments given and due in the lesson. Fields keep their
// own styling; when more than one has text each starts with its label.
class LessonBoxText {
public:
    struct Options {
        bool showAssignments = false;
        // Every character at this size instead of the sizes the teacher typed.
        std::optional<double> fixedPointSize;

        bool operator==(const Options&) const = default;
    };

    // Everything of a lesson that goes into its text: lessons with equal
    // sources have equal texts in one style.
    struct Source {
        QString title;
        // Each field's label (empty when it is the only field) and rich text.
        QList<std::pair<QString, QByteArray>> fields;
        QStringList due;
        QStringList assigned;

        static Source of(const Lesson& lesson, const Options& options);
        bool operator==(const Source&) const = default;
    };

    // The year's shown fields in which the lesson has text, in display order.
    static QStringList fieldsWithData(const Lesson& lesson, const Year& year);
    // What of the year the text depends on: each shown field's key and label.
    static QStringList fieldLabels(const Year& year);
    static std::unique_ptr<QTextDocument> build(const Source& source, const Options& options, const QFont& font);
    static std::unique_ptr<QTextDocument> build(const Lesson& lesson, const Options& options, const QFont& font);
};

size_t qHash(const LessonBoxText::Source& source, size_t seed = 0);
