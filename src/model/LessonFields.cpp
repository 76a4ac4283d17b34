#include "foundation/prefs/Preferences.h"
#include "foundation/richtext/RtfReader.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/Tag.h"
#include "model/Year.h"

#include <QTextCursor>
#include <QTextDocument>
#include <QTextDocumentFragment>

#include <algorithm>

namespace {

// The field's own text, without the spaces a teacher left at its end.
QTextDocumentFragment fieldText(const QByteArray& rtf)
{
    const std::unique_ptr<QTextDocument> field = RtfReader::read(rtf);
    QTextCursor end(field.get());
    end.movePosition(QTextCursor::End);
    while (field->characterAt(end.position() - 1) == QLatin1Char(' '))
        end.deletePreviousChar();
    QTextCursor all(field.get());
    all.select(QTextCursor::Document);
    return all.selection();
}

void appendLabel(QTextCursor& cursor, const QString& label)
{
    QTextCharFormat bold;
    bold.setFontWeight(QFont::Bold);
    bold.setFontPointSize(10);
    cursor.insertText(label, bold);
    cursor.insertBlock();
    cursor.setCharFormat(QTextCharFormat());
}

} // namespace

// A field emptied in the editor still holds the bytes of an empty rich
// text; its plain-text shadow, kept in step with it, tells whether it says
// anything.
bool Lesson::hasDataForKey(const QString& fieldKey) const
{
    return !value<QString>(shadowKey(fieldKey)).isEmpty();
}

QString Lesson::lockMenuString() const
{
    return isAnchored() ? QStringLiteral("Unlock Lesson") : QStringLiteral("Lock Lesson");
}

QString Lesson::tagsString() const
{
    QString result;
    for (const Tag* tag : objects<Tag>(u"tags"))
        result += tag->value<QString>(u"name") + QLatin1Char(',');
    return result;
}

bool Lesson::hasTagWithName(const QString& name) const
{
    const QList<Tag*> tags = objects<Tag>(u"tags");
    return std::any_of(tags.begin(), tags.end(), [&](const Tag* tag) { return tag->value<QString>(u"name") == name; });
}

QList<Unit*> Lesson::unitsArray() const
{
    return course() ? course()->units() : QList<Unit*>();
}

std::unique_ptr<QTextDocument> Lesson::textViewString() const
{
    auto text = std::make_unique<QTextDocument>();
    QStringList filled;
    if (const Year* owner = year()) {
        for (const QString& key : owner->visibleFields()) {
            if (hasDataForKey(key))
                filled.append(key);
        }
    }
    QTextCursor cursor(text.get());
    QTextBlockFormat wrapping;
    wrapping.setNonBreakableLines(false);
    cursor.setBlockFormat(wrapping);
    for (const QString& key : filled) {
        if (filled.size() > 1)
            appendLabel(cursor, year()->fieldTitle(key));
        cursor.insertFragment(fieldText(value<QByteArray>(key)));
        cursor.insertBlock();
    }
    text->setDefaultTextOption(QTextOption(Qt::AlignLeft));
    QTextOption option = text->defaultTextOption();
    option.setWrapMode(QTextOption::WordWrap);
    text->setDefaultTextOption(option);
    const Preferences& preferences = Preferences::shared();
    if (!filled.isEmpty() && preferences.boolValue(QStringLiteral("useFixedFontSize"))) {
        QTextCharFormat fixed;
        fixed.setFontFamilies({ QTextDocument().defaultFont().family() });
        fixed.setFontPointSize(preferences.doubleValue(QStringLiteral("fixedFontSize")));
        QTextCursor all(text.get());
        all.select(QTextCursor::Document);
        all.mergeCharFormat(fixed);
    }
    return text;
}
