#pragma once

#include "store/EntityDescription.h"

#include <QHash>
#include <memory>
#include <vector>

// The entities of a document, their properties and the model version that
// files record. Built once by EntityModelBuilder and never changed after.
class EntityModel {
public:
    int version() const { return m_version; }

    const EntityDescription* entity(QStringView name) const;
    // Entity numbers count from 1 in declaration order.
    const EntityDescription* entityWithNumber(int number) const;
    // Every entity, parents before their sub-entities.
    const QList<const EntityDescription*>& entities() const { return m_ordered; }
    QList<const EntityDescription*> rootEntities() const;

private:
    friend class EntityModelBuilder;

    int m_version = 0;
    std::vector<std::unique_ptr<EntityDescription>> m_storage;
    QList<const EntityDescription*> m_ordered;
    QHash<QString, const EntityDescription*> m_byName;
};
