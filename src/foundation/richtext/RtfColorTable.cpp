#include "foundation/richtext/RtfColorTable.h"

#include <algorithm>

void RtfColorTable::clear()
{
    m_colors.clear();
    m_red = m_green = m_blue = -1;
}

void RtfColorTable::setRed(int value)
{
    m_red = std::clamp(value, 0, 255);
}

void RtfColorTable::setGreen(int value)
{
    m_green = std::clamp(value, 0, 255);
}

void RtfColorTable::setBlue(int value)
{
    m_blue = std::clamp(value, 0, 255);
}

void RtfColorTable::commitEntry()
{
    if (m_red < 0 && m_green < 0 && m_blue < 0)
        m_colors.emplace_back();
    else
        m_colors.emplace_back(std::max(m_red, 0), std::max(m_green, 0), std::max(m_blue, 0));
    m_red = m_green = m_blue = -1;
}

QColor RtfColorTable::color(int index) const
{
    if (index <= 0 || std::size_t(index) >= m_colors.size())
        return {};
    return m_colors[std::size_t(index)];
}
