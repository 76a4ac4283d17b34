#pragma once

#include "store/EntityModel.h"
#include "store/FetchRequest.h"
#include "store/ManagedObject.h"
#include "store/UndoHistory.h"

#include <QHash>
#include <QSet>
#include <QVariantMap>

#include <functional>
#include <memory>
#include <vector>

// The records of one document. Owns every record; inserts, deletes and
// fetches them; assigns each a key that stays with it for life; and keeps
// track of what changed since the last save so that a save writes only that.
class ObjectContext {
public:
    // Makes the record object for an entity (a record class such as Lesson).
    // Without one, records are plain ManagedObjects.
    using RecordFactory = std::function<std::unique_ptr<ManagedObject>(const EntityDescription&, ObjectContext&)>;

    explicit ObjectContext(const EntityModel& model, RecordFactory factory = {});
    ~ObjectContext();
    ObjectContext(const ObjectContext&) = delete;
    ObjectContext& operator=(const ObjectContext&) = delete;

    const EntityModel& model() const { return m_model; }

    ManagedObject* insertObject(const QString& entityName);
    template <typename T> T* insert(const QString& entityName) { return dynamic_cast<T*>(insertObject(entityName)); }
    // Unlinks the record from every relationship and forgets it. The object
    // itself stays valid (flagged deleted) until the context goes away, so a
    // stale pointer held by a view reads, but cannot change, a dead record.
    void deleteObject(ManagedObject* object);

    QList<ManagedObject*> fetch(const FetchRequest& request) const;
    template <typename T> QList<T*> fetch(const FetchRequest& request) const;
    // Every live record of the entity and its sub-entities, in insertion order.
    QList<ManagedObject*> objectsOfEntity(const EntityDescription& entity) const;
    int countOfEntity(const QString& entityName) const;
    ManagedObject* objectWithURI(const QString& uri) const;
    // The record a ManagedObject::sessionReference() names, only while this
    // is the very context that made it.
    ManagedObject* objectWithSessionReference(const QString& reference) const;

    // Every change to the records is reported here (while it is enabled).
    UndoHistory& undoHistory() { return m_history; }
    const UndoHistory& undoHistory() const { return m_history; }

    bool hasChanges() const;
    const QSet<ManagedObject*>& insertedObjects() const { return m_inserted; }
    const QSet<ManagedObject*>& updatedObjects() const { return m_updated; }
    const QList<ManagedObject*>& deletedObjects() const { return m_deleted; }

    // Store bookkeeping, kept here so that a document carries it between saves.
    const QString& storeIdentifier() const { return m_storeIdentifier; }
    // Made afresh with each context and never stored. Copies of one file
    // share their store identifier (a copied file, Save As, a migrated
    // year); two open contexts never share this one, in one process or two.
    const QString& sessionIdentifier() const { return m_sessionIdentifier; }
    // The file the records were read from or last saved to; empty for a new document.
    const QString& storePath() const { return m_storePath; }
    QVariantMap& metadata() { return m_metadata; }
    const QVariantMap& metadata() const { return m_metadata; }

    // Brings a value to the attribute type's stored form (qint64, double,
    // bool, QString, QByteArray; dates as seconds since 2001). Invalid stays invalid.
    static QVariant normalizedValue(AttributeType type, const QVariant& value);

private:
    friend class ManagedObject;
    friend class SqliteStore;
    friend class SqliteStoreReader;
    friend class SqliteStoreWriter;
    friend class UndoStep;

    ManagedObject* createObject(const EntityDescription& entity, qint64 primaryKey);
    void registerObject(ManagedObject* object);
    // Takes the record out of the registry; answers where it stood.
    qsizetype unregisterObject(ManagedObject* object);
    // Undo and redo of inserts and deletes: the record leaves, or comes back
    // with its key to its old place among its entity's records, and the
    // next save writes (or removes) its row.
    void forget(ManagedObject& object);
    void revive(ManagedObject& object, qsizetype index);
    void nullifyRelationships(ManagedObject* object);
    void noteUpdated(ManagedObject& object);
    // After a save: what is in the file now matches what is in memory.
    void markSaved();
    qint64 nextPrimaryKey(const EntityDescription& entity);

    const EntityModel& m_model;
    RecordFactory m_factory;
    QString m_storeIdentifier;
    QString m_sessionIdentifier;
    QString m_storePath;
    QVariantMap m_metadata;
    std::vector<std::unique_ptr<ManagedObject>> m_storage;
    // Live records by their own entity, and by root entity and key.
    QHash<const EntityDescription*, QList<ManagedObject*>> m_byEntity;
    QHash<const EntityDescription*, QHash<qint64, ManagedObject*>> m_byKey;
    QHash<const EntityDescription*, qint64> m_maxPrimaryKey;
    QSet<ManagedObject*> m_inserted;
    QSet<ManagedObject*> m_updated;
    QList<ManagedObject*> m_deleted;
    UndoHistory m_history { *this };
};

template <typename T> QList<T*> ObjectContext::fetch(const FetchRequest& request) const
{
    QList<T*> result;
    for (ManagedObject* object : fetch(request)) {
        if (T* typed = dynamic_cast<T*>(object))
            result.append(typed);
    }
    return result;
}
