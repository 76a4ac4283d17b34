#pragma once

#include <QString>

class EntityDescription;

struct RelationshipDescription {
    QString name;
    const EntityDescription* destination = nullptr;
    // Looked up by name on the destination object's own entity, so that a
    // relationship to an abstract entity can pair with a relationship that
    // each sub-entity declares.
    QString inverseName;
    bool toMany = false;

    // To-one: the foreign-key column holding the target's Z_PK.
    QString columnName;
    // Many-to-many: the join table and its two key columns (this side's key,
    // the other side's key). Empty otherwise.
    QString joinTable;
    QString joinOwnColumn;
    QString joinOtherColumn;
    // Of the two sides of a many-to-many, only one writes the join table.
    bool ownsJoinTable = false;

    bool isManyToMany() const { return !joinTable.isEmpty(); }
};
