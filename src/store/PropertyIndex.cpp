#include "store/PropertyIndex.h"

#include <cstring>

void PropertyIndex::add(QStringView name)
{
    m_tags.push_back(tagOf(name));
    m_names.push_back(name);
}

int PropertyIndex::find(QStringView name) const
{
    const quint32 tag = tagOf(name);
    for (size_t i = 0; i < m_tags.size(); ++i) {
        // Names of equal tags (length and first, middle and last letters)
        // are rare: the text is compared about once per lookup, as bytes,
        // in a few wide steps.
        if (m_tags[i] == tag && m_names[i].size() == name.size()
            && std::memcmp(name.data(), m_names[i].data(), size_t(name.size()) * sizeof(QChar)) == 0)
            return int(i);
    }
    return -1;
}

// The low bytes of the length and of three letters.
quint32 PropertyIndex::tagOf(QStringView name)
{
    if (name.isEmpty())
        return 0;
    const auto letter = [&name](qsizetype at) { return quint32(name[at].unicode() & 0xFF); };
    return (quint32(name.size()) & 0xFF) | letter(0) << 8 | letter(name.size() / 2) << 16 | letter(name.size() - 1) << 24;
}
