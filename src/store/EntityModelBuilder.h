#pragma once

#include "store/EntityModel.h"

// Declares an entity model in code:
//
//     EntityModelBuilder b(21);
//     b.entity("Day").attribute("actualDate", AttributeType::Date)
//         .toMany("lessons", "Lesson", "dayTaught");
//     b.entity("Lesson").toOne("dayTaught", "Day", "lessons");
//     auto model = b.build();
//
// Parents are declared before their sub-entities. A mistake in the
// declaration is a programming error and stops the program in build().
class EntityModelBuilder {
public:
    enum class Kind { Concrete, Abstract };

    explicit EntityModelBuilder(int version);

    EntityModelBuilder& entity(const QString& name, const QString& superentity = {}, Kind kind = Kind::Concrete);
    EntityModelBuilder& attribute(const QString& name, AttributeType type);
    EntityModelBuilder& toOne(const QString& name, const QString& destination, const QString& inverse);
    EntityModelBuilder& toMany(const QString& name, const QString& destination, const QString& inverse);

    std::unique_ptr<EntityModel> build();

private:
    struct PendingRelationship {
        QString name;
        QString destination;
        QString inverse;
        bool toMany;
    };
    struct PendingEntity {
        QString name;
        QString superentity;
        Kind kind;
        QList<AttributeDescription> attributes;
        QList<PendingRelationship> relationships;
    };
    // Which attribute or relationship a column of a table was given to.
    struct ColumnOwner {
        QString propertyName;
        QString destination; // relationships only
    };

    void createEntities(EntityModel& model) const;
    void addProperties(EntityDescription& entity, const PendingEntity& pending, const EntityModel& model);
    QString attributeColumn(const QString& table, const QString& name);
    QString relationshipColumn(const QString& table, const QString& name, const QString& destination);
    static void resolveJoinTables(EntityModel& model);
    static void checkInverses(const EntityModel& model);

    int m_version;
    QList<PendingEntity> m_entities;
    QHash<QString, QHash<QString, ColumnOwner>> m_columnsByTable;
};
