#include "foundation/richtext/RtfKeyword.h"

#include <QByteArray>
#include <QHash>

namespace {

using Kind = RtfKeyword::Kind;

QHash<QByteArray, RtfKeyword> buildTable()
{
    QHash<QByteArray, RtfKeyword> table;
    const auto add = [&table](const char* word, Kind kind, char16_t character = 0) {
        table.insert(QByteArray(word), RtfKeyword { kind, character });
    };

    add("ansi", Kind::Ansi);
    add("mac", Kind::Mac);
    add("pc", Kind::Pc);
    add("pca", Kind::Pca);
    add("ansicpg", Kind::AnsiCodePage);
    add("deff", Kind::DefaultFont);

    add("fonttbl", Kind::FontTable);
    add("colortbl", Kind::ColorTable);
    add("field", Kind::Field);
    add("fldinst", Kind::FieldInstruction);
    add("fldrslt", Kind::FieldResult);

    // Everything here is metadata, layout or embedded data. Most writers mark
    // them with \* as well, but old ones do not, so they are listed by name.
    for (const char* word : { "annotation", "atnauthor", "atndate", "atnid", "atnref", "author", "bkmkend", "bkmkstart",
             "blipuid", "colorschememapping", "comment", "company", "datastore", "defchp", "defpap", "do", "doccomm",
             "docvar", "factoidname", "filetbl", "footer", "footerf", "footerl", "footerr", "footnote", "formfield",
             "ftncn", "ftnsep", "ftnsepc", "generator", "header", "headerf", "headerl", "headerr", "info", "keywords",
             "latentstyles", "listoverridetable", "listpicture", "listtable", "mmathPr", "NeXTGraphic", "nonshppict",
             "object", "objdata", "operator", "panose", "passwordhash", "pgdsctbl", "pict", "pn", "pnseclvl", "pntxta",
             "pntxtb", "private", "protusertbl", "revtbl", "rsidtbl", "rxe", "shp", "shpinst", "shppict", "sp",
             "stylesheet", "subject", "tc", "template", "themedata", "title", "txe", "upr", "userprops",
             "wgrffmtfilter", "xe", "xmlnstbl" })
        add(word, Kind::SkippedDestination);

    add("f", Kind::Font);
    add("fcharset", Kind::FontCharset);
    add("cpg", Kind::FontCodePage);
    add("red", Kind::Red);
    add("green", Kind::Green);
    add("blue", Kind::Blue);

    add("plain", Kind::Plain);
    add("b", Kind::Bold);
    add("i", Kind::Italic);
    for (const char* word : { "ul", "uld", "uldash", "uldashd", "uldashdd", "uldb", "ulhwave", "ulldash", "ulth",
             "ulthd", "ulthdash", "ulthdashd", "ulthdashdd", "ulthldash", "ululdbwave", "ulw", "ulwave" })
        add(word, Kind::Underline);
    add("ulnone", Kind::UnderlineNone);
    add("strike", Kind::StrikeOut);
    add("striked", Kind::StrikeOut);
    add("v", Kind::Hidden);
    add("fs", Kind::FontSize);
    add("cf", Kind::Foreground);
    add("cb", Kind::Background);
    add("highlight", Kind::Background);
    add("chcbpat", Kind::Background);

    add("pard", Kind::ParagraphDefaults);
    add("par", Kind::Paragraph);
    add("row", Kind::Paragraph);
    add("page", Kind::Paragraph);
    add("ql", Kind::AlignLeft);
    add("qc", Kind::AlignCenter);
    add("qr", Kind::AlignRight);
    add("qj", Kind::AlignJustify);

    add("line", Kind::Character, 0x2028);
    add("tab", Kind::Character, u'\t');
    add("cell", Kind::Character, u'\t');
    add("emdash", Kind::Character, 0x2014);
    add("endash", Kind::Character, 0x2013);
    add("emspace", Kind::Character, 0x2003);
    add("enspace", Kind::Character, 0x2002);
    add("qmspace", Kind::Character, 0x2005);
    add("bullet", Kind::Character, 0x2022);
    add("lquote", Kind::Character, 0x2018);
    add("rquote", Kind::Character, 0x2019);
    add("ldblquote", Kind::Character, 0x201c);
    add("rdblquote", Kind::Character, 0x201d);
    add("zwj", Kind::Character, 0x200d);
    add("zwnj", Kind::Character, 0x200c);

    add("u", Kind::Unicode);
    add("uc", Kind::UnicodeSkipCount);
    add("bin", Kind::Binary);
    return table;
}

} // namespace

RtfKeyword RtfKeyword::lookup(QByteArrayView word)
{
    static const QHash<QByteArray, RtfKeyword> table = buildTable();
    return table.value(word.toByteArray());
}
