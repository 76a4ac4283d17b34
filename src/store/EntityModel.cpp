#include "store/EntityModel.h"

const EntityDescription* EntityModel::entity(QStringView name) const
{
    return m_byName.value(name.toString(), nullptr);
}

const EntityDescription* EntityModel::entityWithNumber(int number) const
{
    return number >= 1 && number <= m_ordered.size() ? m_ordered[number - 1] : nullptr;
}

QList<const EntityDescription*> EntityModel::rootEntities() const
{
    QList<const EntityDescription*> roots;
    for (const EntityDescription* entity : m_ordered) {
        if (!entity->superentity())
            roots.append(entity);
    }
    return roots;
}
