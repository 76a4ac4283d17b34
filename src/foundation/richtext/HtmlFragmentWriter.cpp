#include "foundation/richtext/HtmlFragmentWriter.h"

#include "foundation/richtext/RtfReader.h"

#include <QFont>
#include <QStringList>
#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

namespace {

// The part of a character format that survives in the fragment.
struct HtmlStyle {
    QString link;
    bool bold = false;
    bool italic = false;

    bool operator==(const HtmlStyle&) const = default;
};

HtmlStyle styleOf(const QTextCharFormat& format)
{
    HtmlStyle style;
    if (format.isAnchor())
        style.link = format.anchorHref();
    style.bold = format.fontWeight() > QFont::Medium;
    style.italic = format.fontItalic();
    return style;
}

QString escaped(const QString& text)
{
    QString out = text;
    out.replace(u'&', QStringLiteral("&amp;"));
    out.replace(u'<', QStringLiteral("&lt;"));
    out.replace(u'>', QStringLiteral("&gt;"));
    return out;
}

QString escapedAttribute(const QString& value)
{
    return escaped(value).replace(u'"', QStringLiteral("&quot;"));
}

QString styledRun(const HtmlStyle& style, const QString& text)
{
    QString run = escaped(text).replace(QChar::LineSeparator, QStringLiteral("<br>"));
    if (style.italic)
        run = QStringLiteral("<i>") + run + QStringLiteral("</i>");
    if (style.bold)
        run = QStringLiteral("<b>") + run + QStringLiteral("</b>");
    if (!style.link.isEmpty())
        run = QStringLiteral("<a href=\"") + escapedAttribute(style.link) + QStringLiteral("\">") + run
            + QStringLiteral("</a>");
    return run;
}

QString paragraph(const QTextBlock& block)
{
    // Fragments that differ only in what the fragment drops (colour, size…)
    // merge into one run, so no "<b>a</b><b>b</b>" appears.
    QString body;
    HtmlStyle runStyle;
    QString runText;
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        const QTextFragment fragment = it.fragment();
        const HtmlStyle style = styleOf(fragment.charFormat());
        if (style != runStyle && !runText.isEmpty()) {
            body += styledRun(runStyle, runText);
            runText.clear();
        }
        runStyle = style;
        runText += fragment.text();
    }
    if (!runText.isEmpty())
        body += styledRun(runStyle, runText);
    // An empty <p> collapses in a browser; the blank line the writer meant would vanish.
    return QStringLiteral("<p>") + (body.isEmpty() ? QStringLiteral("<br>") : body) + QStringLiteral("</p>");
}

} // namespace

QString HtmlFragmentWriter::write(const QTextDocument& document)
{
    if (document.isEmpty())
        return {};
    QStringList paragraphs;
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next())
        paragraphs.append(paragraph(block));
    return paragraphs.join(u'\n');
}

QString HtmlFragmentWriter::fromRtf(const QByteArray& rtf)
{
    return write(*RtfReader::read(rtf));
}
