#include "gui/views/LessonBoxCache.h"

#include <QTextBlock>
#include <QTextDocument>
#include <QTextLayout>

#include <algorithm>

namespace {

std::shared_ptr<QTextDocument> compose(const LessonBoxText::Source& source, const LessonBoxCache::Style& style)
{
    std::shared_ptr<QTextDocument> document = LessonBoxText::build(source, style.options, style.font);
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
        LessonBoxText::Source source = LessonBoxText::Source::of(lesson, m_style.options);
        std::shared_ptr<QTextDocument> document = textFor(source);
        m_recent.push_front({ &lesson, std::move(source), std::move(document) });
        entry = m_recent.begin();
        m_index.insert(&lesson, entry);
        if (m_index.size() > m_capacity) {
            m_index.remove(m_recent.back().lesson);
            m_recent.pop_back();
        }
    }
    QTextDocument& document = *entry->text;
    // Setting even the same width lays the whole text out again.
    if (document.textWidth() != width)
        document.setTextWidth(width);
    return entry->text;
}

std::shared_ptr<QTextDocument> LessonBoxCache::textFor(const LessonBoxText::Source& source)
{
    if (std::shared_ptr<QTextDocument> kept = m_forgotten.take(source))
        return kept;
    if (std::shared_ptr<QTextDocument> kept = m_forgottenBefore.take(source))
        return kept;
    return compose(source, m_style);
}

std::shared_ptr<QTextDocument> LessonBoxCache::wrapped(const Lesson& lesson, double width)
{
    const auto entry = use(lesson);
    if (entry == m_recent.end() || entry->text->textWidth() != width)
        return nullptr;
    return entry->text;
}

void LessonBoxCache::forget(const Lesson* lesson)
{
    const auto found = m_index.constFind(lesson);
    if (found == m_index.constEnd())
        return;
    if (m_forgotten.size() >= std::max<qsizetype>(1, m_capacity / 2))
        m_forgottenBefore = std::exchange(m_forgotten, {});
    Entry& entry = **found;
    m_forgotten.insert(std::move(entry.source), std::move(entry.text));
    m_recent.erase(*found);
    m_index.erase(found);
}

void LessonBoxCache::clear()
{
    m_index.clear();
    m_recent.clear();
    m_forgotten.clear();
    m_forgottenBefore.clear();
}
