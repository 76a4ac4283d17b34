#include "model/DeleteStackEntries.h"

#include <algorithm>
#include <functional>
#include <string_view>

namespace {

size_t hashOf(QStringView text)
{
    return std::hash<std::u16string_view> {}(
        std::u16string_view(reinterpret_cast<const char16_t*>(text.utf16()), size_t(text.size())));
}

} // namespace

DeleteStackEntries::DeleteStackEntries(const QString& stack)
    : m_text(stack)
{
    qsizetype start = 0;
    while (start < m_text.size()) {
        qsizetype end = m_text.indexOf(u',', start);
        // A stack that lost its closing comma still holds its last entry,
        // and an entry added after it must not run into it.
        if (end < 0) {
            m_text.append(u',');
            end = m_text.size() - 1;
        }
        if (end > start)
            takeEntry(start, end + 1 - start);
        start = end + 1;
    }
}

bool DeleteStackEntries::add(QStringView syncID, QStringView type)
{
    const qsizetype start = m_text.size();
    m_text.append(syncID).append(u':').append(type).append(u',');
    if (takeEntry(start, m_text.size() - start))
        return true;
    m_text.truncate(start);
    return false;
}

bool DeleteStackEntries::takeEntry(qsizetype start, qsizetype length)
{
    if ((m_entries.size() + 1) * 2 > m_table.size())
        growTable();
    const QStringView text = QStringView(m_text).mid(start, length);
    const size_t hash = hashOf(text);
    const size_t place = placeOf(text, hash);
    if (m_table[place] != 0)
        return false;
    m_entries.push_back({ start, length, hash });
    m_table[place] = std::uint32_t(m_entries.size());
    return true;
}

size_t DeleteStackEntries::placeOf(QStringView text, size_t hash) const
{
    const size_t mask = m_table.size() - 1;
    for (size_t place = hash & mask;; place = (place + 1) & mask) {
        const std::uint32_t held = m_table[place];
        if (held == 0)
            return place;
        const Entry& entry = m_entries[held - 1];
        if (entry.hash == hash && entryText(entry) == text)
            return place;
    }
}

void DeleteStackEntries::growTable()
{
    m_table.assign(std::max<size_t>(m_table.size() * 2, 1024), 0);
    const size_t mask = m_table.size() - 1;
    for (size_t index = 0; index < m_entries.size(); ++index) {
        size_t place = m_entries[index].hash & mask;
        while (m_table[place] != 0)
            place = (place + 1) & mask;
        m_table[place] = std::uint32_t(index + 1);
    }
}
