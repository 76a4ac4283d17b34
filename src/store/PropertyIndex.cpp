#include "store/PropertyIndex.h"

#include <algorithm>

void PropertyIndex::add(QStringView name)
{
    m_tags.push_back(tagOf(name));
    m_names.push_back(name);
}

int PropertyIndex::find(QStringView name) const
{
    const quint32 tag = tagOf(name);
    for (size_t i = 0; i < m_tags.size(); ++i) {
        // Compared in place: the library's comparison is a call, and
        // every read and write of a record comes here.
        if (m_tags[i] == tag && std::equal(name.begin(), name.end(), m_names[i].begin()))
            return int(i);
    }
    return -1;
}

quint32 PropertyIndex::tagOf(QStringView name)
{
    return name.isEmpty() ? 0 : (quint32(name.size()) << 16) | name.front().unicode();
}
