#pragma once

#include <QHash>
#include <QString>

class Standard;
class Year;

// Finds a year's standards by name. Names are compared literally, ignoring
// case and accents: a group called "Grade 3*" matches only itself.
class StandardLookup {
public:
    explicit StandardLookup(const Year& year);

    // The year's root standard (isRootItem), if it has one.
    static Standard* rootItem(const Year& year);

    // The first standard whose text or short name matches; none for an empty name.
    Standard* matching(const QString& name) const;
    // The first standard with exactly this short name and text.
    Standard* exactly(const QString& shortName, const QString& text) const;
    // Makes a new standard findable.
    void add(Standard* standard);

private:
    QHash<QString, Standard*> m_byFoldedName;
    QHash<QString, Standard*> m_byShortNameAndText;
};
