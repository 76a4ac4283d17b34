#pragma once

#include <QStringView>

#include <atomic>
#include <cstdint>

class EntityDescription;

// A property's name that remembers its position in the entity it was last
// looked up in. The busiest accessors (a lesson's day, its course, its start)
// are read hundreds of thousands of times in one bump; finding the name
// among the entity's properties each time costs more than the read itself.
// Keys live as long as the program (declare them at namespace scope); the
// memo is one atomic word, so keys may be shared between threads.
class PropertyKey {
public:
    constexpr explicit PropertyKey(QStringView name)
        : m_name(name)
    {
    }
    PropertyKey(const PropertyKey&) = delete;
    PropertyKey& operator=(const PropertyKey&) = delete;

    QStringView name() const { return m_name; }
    // The positions in attributes() or relationships() of `entity`, or -1.
    int attributeIndexIn(const EntityDescription& entity) const;
    int relationshipIndexIn(const EntityDescription& entity) const;

private:
    enum class Kind : std::uint64_t { Attribute = 0, Relationship = 1 };

    // The entity's serial and the kind of property asked for in the high
    // half, the position plus one in the low half; zero before the first
    // lookup.
    mutable std::atomic<std::uint64_t> m_memo { 0 };
    QStringView m_name;

    template <typename Find> int indexIn(const EntityDescription& entity, Kind kind, Find find) const;
};
