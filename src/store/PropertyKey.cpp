#include "store/PropertyKey.h"

#include "store/EntityDescription.h"

template <typename Find>
int PropertyKey::indexIn(const EntityDescription& entity, Kind kind, Find find) const
{
    const std::uint64_t asked = (std::uint64_t(entity.serial()) << 1 | std::uint64_t(kind)) << 32;
    const std::uint64_t memo = m_memo.load(std::memory_order_relaxed);
    if ((memo & ~std::uint64_t(0xFFFFFFFF)) == asked)
        return int(std::uint32_t(memo)) - 1;
    const int index = find(m_name);
    m_memo.store(asked | std::uint32_t(index + 1), std::memory_order_relaxed);
    return index;
}

int PropertyKey::attributeIndexIn(const EntityDescription& entity) const
{
    return indexIn(entity, Kind::Attribute, [&entity](QStringView name) { return entity.attributeIndex(name); });
}

int PropertyKey::relationshipIndexIn(const EntityDescription& entity) const
{
    return indexIn(
        entity, Kind::Relationship, [&entity](QStringView name) { return entity.relationshipIndex(name); });
}
