#include "foundation/richtext/RtfWriter.h"

#include "foundation/richtext/RtfCodePage.h"

#include <QTextBlock>
#include <QTextCharFormat>
#include <QTextDocument>
#include <QTextFragment>

#include <algorithm>

namespace {

constexpr double fallbackPointSize = 12.0;

QString familyOf(const QTextCharFormat& format, const QFont& defaultFont)
{
    const QStringList families = format.property(QTextFormat::FontFamilies).toStringList();
    return families.isEmpty() || families.first().isEmpty() ? defaultFont.family() : families.first();
}

int halfPointsOf(const QTextCharFormat& format, const QFont& defaultFont)
{
    double points = format.fontPointSize();
    if (!(points > 0)) // unset, or not a number
        points = defaultFont.pointSizeF() > 0 ? defaultFont.pointSizeF() : fallbackPointSize;
    // RTF sizes are 16-bit half-points; clamping first also keeps qRound defined.
    return qRound(std::clamp(points, 0.5, 1638.0) * 2);
}

QByteArray alignmentControl(Qt::Alignment alignment)
{
    if (alignment & Qt::AlignHCenter)
        return "\\qc";
    if (alignment & Qt::AlignJustify)
        return "\\qj";
    if (alignment & Qt::AlignRight)
        return "\\qr";
    return {};
}

bool hasBrush(const QTextCharFormat& format, QTextFormat::Property property)
{
    return format.hasProperty(property) && format.brushProperty(property).style() != Qt::NoBrush;
}

} // namespace

QByteArray RtfWriter::write(const QTextDocument& document)
{
    RtfWriter writer(document);
    for (QTextBlock block = document.begin(); block.isValid(); block = block.next()) {
        if (block != document.begin())
            writer.m_body += "\\par\n";
        writer.writeBlock(block);
    }
    return writer.header() + writer.m_body + "}";
}

QByteArray RtfWriter::escaped(const QString& text)
{
    QByteArray out;
    out.reserve(text.size());
    for (const QChar c : text) {
        const char16_t unit = c.unicode();
        if (unit == u'\\' || unit == u'{' || unit == u'}') {
            out += '\\';
            out += char(unit);
        } else if (unit == u'\t') {
            out += "\\tab ";
        } else if (unit == QChar::LineSeparator) {
            out += "\\line ";
        } else if (unit < 0x20 || unit == QChar::ObjectReplacementCharacter) {
            continue; // control codes and embedded objects have no RTF text
        } else if (unit < 0x7f) {
            out += char(unit);
        } else if (const auto byte = RtfCodePage::toWindowsLatin1(unit)) {
            out += "\\'" + QByteArray(1, *byte).toHex();
        } else {
            // \u takes a signed 16-bit number; '?' is what older readers show.
            out += "\\u" + QByteArray::number(qint16(unit)) + '?';
        }
    }
    return out;
}

RtfWriter::RtfWriter(const QTextDocument& document)
    : m_defaultFont(document.defaultFont())
{
    m_fonts.append(m_defaultFont.family());
}

void RtfWriter::writeBlock(const QTextBlock& block)
{
    m_body += "\\pard" + alignmentControl(block.blockFormat().alignment());
    for (auto it = block.begin(); !it.atEnd(); ++it) {
        if (it.fragment().isValid())
            writeFragment(it.fragment());
    }
}

void RtfWriter::writeFragment(const QTextFragment& fragment)
{
    const QTextCharFormat format = fragment.charFormat();
    const QByteArray run = '{' + formatControls(format) + ' ' + escaped(fragment.text()) + '}';
    if (!format.isAnchor() || format.anchorHref().isEmpty()) {
        m_body += run;
        return;
    }
    QString target = format.anchorHref();
    target.replace(u'"', QStringLiteral("%22"));
    m_body += "{\\field{\\*\\fldinst{HYPERLINK \"" + escaped(target) + "\"}}{\\fldrslt" + run + "}}";
}

QByteArray RtfWriter::formatControls(const QTextCharFormat& format)
{
    QByteArray controls = "\\f" + QByteArray::number(fontIndex(familyOf(format, m_defaultFont))) + "\\fs"
        + QByteArray::number(halfPointsOf(format, m_defaultFont));
    if (format.fontWeight() > QFont::Medium)
        controls += "\\b";
    if (format.fontItalic())
        controls += "\\i";
    if (format.fontUnderline())
        controls += "\\ul";
    if (format.fontStrikeOut())
        controls += "\\strike";
    if (hasBrush(format, QTextFormat::ForegroundBrush))
        controls += "\\cf" + QByteArray::number(colorIndex(format.foreground().color()));
    if (hasBrush(format, QTextFormat::BackgroundBrush))
        controls += "\\highlight" + QByteArray::number(colorIndex(format.background().color()));
    return controls;
}

QByteArray RtfWriter::header() const
{
    QByteArray out = "{\\rtf1\\ansi\\ansicpg1252\\deff0\\uc1{\\fonttbl";
    for (qsizetype i = 0; i < m_fonts.size(); ++i)
        out += "{\\f" + QByteArray::number(i) + "\\fnil\\fcharset0 " + escaped(m_fonts.at(i)) + ";}";
    out += "}\n{\\colortbl;";
    for (const QColor& color : m_colors) {
        out += "\\red" + QByteArray::number(color.red()) + "\\green" + QByteArray::number(color.green()) + "\\blue"
            + QByteArray::number(color.blue()) + ';';
    }
    out += "}\n";
    return out;
}

int RtfWriter::fontIndex(const QString& family)
{
    qsizetype index = m_fonts.indexOf(family);
    if (index < 0) {
        index = m_fonts.size();
        m_fonts.append(family);
    }
    return int(index);
}

int RtfWriter::colorIndex(const QColor& color)
{
    const QColor opaque = color.toRgb();
    qsizetype index = m_colors.indexOf(opaque);
    if (index < 0) {
        index = m_colors.size();
        m_colors.append(opaque);
    }
    return int(index) + 1; // entry 0 of the table is "automatic"
}
