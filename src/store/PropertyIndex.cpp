#include "store/PropertyIndex.h"

void PropertyIndex::add(QStringView name)
{
    m_tags.push_back(tagOf(name));
    m_names.push_back(name);
}

int PropertyIndex::find(QStringView name) const
{
    const quint32 tag = tagOf(name);
    for (size_t i = 0; i < m_tags.size(); ++i) {
        if (m_tags[i] == tag && m_names[i] == name)
            return int(i);
    }
    return -1;
}

quint32 PropertyIndex::tagOf(QStringView name)
{
    return name.isEmpty() ? 0 : (quint32(name.size()) << 16) | name.front().unicode();
}
