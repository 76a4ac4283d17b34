#include "model/DeleteStackEntries.h"

#include <QStringList>

#include <algorithm>
#include <functional>
#include <string_view>

size_t qHash(const DeleteStackEntries::Entry& entry, size_t seed) noexcept
{
    const std::u16string_view units(reinterpret_cast<const char16_t*>(entry.text.constData()), size_t(entry.text.size()));
    return std::hash<std::u16string_view> {}(units) ^ seed;
}

DeleteStackEntries::DeleteStackEntries(const QString& stack)
{
    const QStringList held = stack.split(u',', Qt::SkipEmptyParts);
    // A bump of a synced year adds thousands to a stack a sync emptied.
    m_entries.reserve(std::max<qsizetype>(held.size() * 2, 4096));
    for (const QString& heldEntry : held)
        m_entries.insert(Entry { heldEntry + u',' });
}

bool DeleteStackEntries::add(const QString& entry)
{
    // One lookup: the size tells whether the entry was there.
    const qsizetype known = m_entries.size();
    m_entries.insert(Entry { entry });
    return m_entries.size() != known;
}
