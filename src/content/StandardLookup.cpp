#include "content/StandardLookup.h"

#include "content/TextFolding.h"
#include "model/Standard.h"
#include "model/Year.h"

namespace {

QString exactKey(const QString& shortName, const QString& text)
{
    return shortName + QChar(0) + text;
}

} // namespace

StandardLookup::StandardLookup(const Year& year)
{
    for (Standard* standard : year.allStandards())
        add(standard);
}

Standard* StandardLookup::rootItem(const Year& year)
{
    for (Standard* standard : year.allStandards()) {
        if (standard->isRootItem())
            return standard;
    }
    return nullptr;
}

void StandardLookup::add(Standard* standard)
{
    // The first standard with a name wins, as a walk over all standards would find it.
    for (const QString& name : { standard->text(), standard->shortName() }) {
        const QString key = TextFolding::withoutCaseAndDiacritics(name);
        if (!name.isEmpty() && !m_byFoldedName.contains(key))
            m_byFoldedName.insert(key, standard);
    }
    const QString key = exactKey(standard->shortName(), standard->text());
    if (!m_byShortNameAndText.contains(key))
        m_byShortNameAndText.insert(key, standard);
}

Standard* StandardLookup::matching(const QString& name) const
{
    if (name.isEmpty())
        return nullptr;
    return m_byFoldedName.value(TextFolding::withoutCaseAndDiacritics(name));
}

Standard* StandardLookup::exactly(const QString& shortName, const QString& text) const
{
    return m_byShortNameAndText.value(exactKey(shortName, text));
}
