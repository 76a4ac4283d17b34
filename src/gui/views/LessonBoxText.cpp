#include "gui/views/LessonBoxText.h"

#include "foundation/richtext/RtfReader.h"
#include "model/Assignment.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QCoreApplication>
#include <QTextBlock>
#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

namespace {

QString tr(const char* text)
{
    return QCoreApplication::translate("LessonBoxText", text);
}

// RTF ends every paragraph with \par, so a field read back carries an empty
// last paragraph that would show as a blank line in the box.
void trimTrailingEmptyBlocks(QTextDocument& document)
{
    while (document.blockCount() > 1 && document.lastBlock().text().trimmed().isEmpty()) {
        QTextCursor cursor(document.lastBlock());
        cursor.movePosition(QTextCursor::PreviousCharacter, QTextCursor::KeepAnchor);
        cursor.removeSelectedText();
    }
}

QTextCharFormat boldFormat()
{
    QTextCharFormat format;
    format.setFontWeight(QFont::Bold);
    return format;
}

QStringList sortedTitles(const QList<Assignment*>& assignments)
{
    QStringList titles;
    for (const Assignment* assignment : assignments)
        titles.append(assignment->title());
    std::sort(titles.begin(), titles.end(),
        [](const QString& a, const QString& b) { return QString::localeAwareCompare(a, b) < 0; });
    return titles;
}

class Composer {
public:
    explicit Composer(QTextDocument& document)
        : m_cursor(&document)
    { }

    // Starts a new paragraph unless nothing was written yet.
    void startParagraph()
    {
        if (m_started)
            m_cursor.insertBlock(QTextBlockFormat(), QTextCharFormat());
        m_started = true;
    }

    void appendLine(const QString& text, const QTextCharFormat& format)
    {
        startParagraph();
        m_cursor.insertText(text, format);
    }

    void appendField(const QString& label, const QByteArray& rtf)
    {
        startParagraph();
        if (!label.isEmpty())
            m_cursor.insertText(label + QStringLiteral(": "), boldFormat());
        const std::unique_ptr<QTextDocument> field = RtfReader::read(rtf);
        trimTrailingEmptyBlocks(*field);
        m_cursor.insertFragment(QTextDocumentFragment(field.get()));
    }

    void appendAssignments(const QString& caption, const QStringList& titles)
    {
        if (titles.isEmpty())
            return;
        startParagraph();
        m_cursor.insertText(caption + QStringLiteral(": "), boldFormat());
        m_cursor.insertText(titles.join(QStringLiteral(", ")), QTextCharFormat());
    }

private:
    QTextCursor m_cursor;
    bool m_started = false;
};

void applyPointSize(QTextDocument& document, double pointSize)
{
    QFont font = document.defaultFont();
    font.setPointSizeF(pointSize);
    document.setDefaultFont(font);
    QTextCursor all(&document);
    all.select(QTextCursor::Document);
    QTextCharFormat size;
    size.setFontPointSize(pointSize);
    all.mergeCharFormat(size);
}

} // namespace

QStringList LessonBoxText::fieldsWithData(const Lesson& lesson, const Year& year)
{
    QStringList fields = year.visibleFields();
    fields.removeIf(
        [&lesson](const QString& key) { return lesson.value<QString>(Lesson::shadowKey(key)).trimmed().isEmpty(); });
    return fields;
}

QStringList LessonBoxText::fieldLabels(const Year& year)
{
    QStringList labels;
    for (const QString& key : year.visibleFields())
        labels << key << year.fieldTitle(key);
    return labels;
}

LessonBoxText::Source LessonBoxText::Source::of(const Lesson& lesson, const Options& options)
{
    Source source;
    source.title = lesson.lessonTitle().trimmed();
    if (const Year* year = lesson.year()) {
        const QStringList fields = fieldsWithData(lesson, *year);
        const bool labelled = fields.size() > 1;
        for (const QString& key : fields)
            source.fields.append(
                { labelled ? year->fieldTitle(key).trimmed() : QString(), lesson.value<QByteArray>(key) });
    }
    if (options.showAssignments) {
        source.due = sortedTitles(lesson.homeworkDue());
        source.assigned = sortedTitles(lesson.assignments());
    }
    return source;
}

size_t qHash(const LessonBoxText::Source& source, size_t seed)
{
    return qHashMulti(seed, source.title, source.fields, source.due, source.assigned);
}

std::unique_ptr<QTextDocument> LessonBoxText::build(const Source& source, const Options& options, const QFont& font)
{
    auto document = std::make_unique<QTextDocument>();
    document->setDefaultFont(font);
    document->setDocumentMargin(0);
    document->setUndoRedoEnabled(false);
    Composer composer(*document);
    if (!source.title.isEmpty())
        composer.appendLine(source.title, boldFormat());
    for (const auto& [label, rtf] : source.fields)
        composer.appendField(label, rtf);
    composer.appendAssignments(tr("Due"), source.due);
    composer.appendAssignments(tr("Assigned"), source.assigned);
    if (options.fixedPointSize)
        applyPointSize(*document, *options.fixedPointSize);
    return document;
}

std::unique_ptr<QTextDocument> LessonBoxText::build(const Lesson& lesson, const Options& options, const QFont& font)
{
    return build(Source::of(lesson, options), options, font);
}
