#include "foundation/richtext/RtfFontTable.h"

namespace {

// Real family names are short; the cap keeps a broken table from growing.
constexpr qsizetype maximumNameLength = 256;

} // namespace

void RtfFontTable::beginEntry(int number)
{
    m_number = number;
    m_codePage = RtfCodePage::documentCodePage;
    m_name.clear();
}

void RtfFontTable::setCharset(int charset)
{
    m_codePage = RtfCodePage::fromCharset(charset);
}

void RtfFontTable::setCodePage(int codePage)
{
    if (codePage > 0)
        m_codePage = codePage;
}

void RtfFontTable::appendToName(char byte)
{
    if (m_name.size() < maximumNameLength)
        m_name.append(byte);
}

void RtfFontTable::commitEntry(RtfCodePage& codePages, int documentCodePage)
{
    const int codePage = m_codePage == RtfCodePage::documentCodePage ? documentCodePage : m_codePage;
    m_fonts.insert(m_number, Font { codePages.decode(m_name, codePage).trimmed(), m_codePage });
    m_name.clear();
}

const RtfFontTable::Font* RtfFontTable::font(int number) const
{
    const auto it = m_fonts.constFind(number);
    return it == m_fonts.constEnd() ? nullptr : &*it;
}
