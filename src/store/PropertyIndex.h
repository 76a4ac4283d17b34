#pragma once

#include <QStringView>

#include <vector>

// The positions of an entity's properties by name. Every read and write of a
// record looks its key up here. An entity has a few dozen properties at most,
// so a scan that compares a tag of the length and three letters before the
// text finds a key sooner than hashing the caller's text would. The names are views of
// the entity's own, which never change once the model is built.
class PropertyIndex {
public:
    // Names are added in position order.
    void add(QStringView name);
    // The position of the name, or -1.
    int find(QStringView name) const;

private:
    static quint32 tagOf(QStringView name);

    std::vector<quint32> m_tags;
    std::vector<QStringView> m_names;
};
