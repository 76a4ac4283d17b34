#include "store/EntityDescription.h"

#include <atomic>

namespace {

std::atomic<std::uint32_t> lastSerial { 0 };

} // namespace

EntityDescription::EntityDescription()
    : m_serial(lastSerial.fetch_add(1, std::memory_order_relaxed) + 1)
{ }

const EntityDescription& EntityDescription::rootEntity() const
{
    const EntityDescription* entity = this;
    while (entity->m_super)
        entity = entity->m_super;
    return *entity;
}

bool EntityDescription::isKindOf(const EntityDescription& other) const
{
    for (const EntityDescription* entity = this; entity; entity = entity->m_super) {
        if (entity == &other)
            return true;
    }
    return false;
}

QString EntityDescription::tableName() const
{
    return QLatin1Char('Z') + rootEntity().name().toUpper();
}

const AttributeDescription* EntityDescription::attribute(QStringView name) const
{
    const int index = attributeIndex(name);
    return index < 0 ? nullptr : &m_attributes[index];
}

const RelationshipDescription* EntityDescription::relationship(QStringView name) const
{
    const int index = relationshipIndex(name);
    return index < 0 ? nullptr : &m_relationships[index];
}
