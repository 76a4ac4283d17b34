#include "gui/views/LessonBoxCache.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

std::shared_ptr<QTextDocument> compose(const Lesson& lesson, const LessonBoxCache::Style& style)
{
    std::shared_ptr<QTextDocument> document = LessonBoxText::build(lesson, style.options, style.font);
    // Lines keep their shaped glyphs after wrapping, so that drawing them
    // does not shape the text a second time.
    for (QTextBlock block = document->begin(); block.isValid(); block = block.next())
        block.layout()->setCacheEnabled(true);
    return document;
}

} // namespace

LessonBoxCache::LessonBoxCache(qsizetype capacity)
    : m_capacity(std::max<qsizetype>(1, capacity))
{ }

void LessonBoxCache::setStyle(const Style& style)
{
    if (style == m_style)
        return;
    clear();
    m_style = style;
}

LessonBoxCache::Recent::iterator LessonBoxCache::use(const Lesson& lesson)
{
    const auto found = m_index.constFind(&lesson);
    if (found == m_index.constEnd())
        return m_recent.end();
    m_recent.splice(m_recent.begin(), m_recent, *found);
    return m_recent.begin();
}

std::shared_ptr<QTextDocument> LessonBoxCache::text(const Lesson& lesson, double width)
{
    auto entry = use(lesson);
    if (entry == m_recent.end()) {
        m_recent.emplace_front(&lesson, compose(lesson, m_style));
        entry = m_recent.begin();
        m_index.insert(&lesson, entry);
        if (m_index.size() > m_capacity) {
            m_index.remove(m_recent.back().first);
            m_recent.pop_back();
        }
    }
    QTextDocument& document = *entry->second;
    // Setting even the same width lays the whole text out again.
    if (document.textWidth() != width)
        document.setTextWidth(width);
    return entry->second;
}

std::shared_ptr<QTextDocument> LessonBoxCache::wrapped(const Lesson& lesson, double width)
{
    const auto entry = use(lesson);
    if (entry == m_recent.end() || entry->second->textWidth() != width)
        return nullptr;
    return entry->second;
}

void LessonBoxCache::forget(const Lesson* lesson)
{
    const auto found = m_index.constFind(lesson);
    if (found == m_index.constEnd())
        return;
    m_recent.erase(*found);
    m_index.erase(found);
}

void LessonBoxCache::clear()
{
    m_index.clear();
    m_recent.clear();
}
