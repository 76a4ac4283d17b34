#pragma once

#include "server/Accounts.h"
#include "server/Outcome.h"

#include <QByteArray>
#include <QJsonObject>
#include <QList>

#include <optional>

class FileStore;
class Storage;
struct ResourceSpec;

struct StoredRecord {
    qint64 id = 0;
    QJsonObject fields;
    QString fileKey;
    qint64 fileSize = 0;
};

// The records of the sync protocol. Every record belongs to one account's
// year; every call is scoped to the account it is given, so one account can
// neither see nor touch another's records, and the references in a body must
// name records of the same year.
class Records {
public:
    Records(Storage& storage, FileStore& files);

    // A new year becomes the account's year; refused while it holds one.
    Outcome<qint64> createYear(const Account& account, const QJsonObject& fields);
    Outcome<qint64> create(const Account& account, const ResourceSpec& spec, const QJsonObject& fields);
    Outcome<qint64> update(const Account& account, const ResourceSpec& spec, qint64 id, const QJsonObject& fields);
    // An update without data keeps the bytes stored before.
    Outcome<qint64> createFile(
        const Account& account, const ResourceSpec& spec, const QJsonObject& fields, const QByteArray& data);
    Outcome<qint64> updateFile(const Account& account, const ResourceSpec& spec, qint64 id, const QJsonObject& fields,
        const std::optional<QByteArray>& data);

    // A record of the account's current year.
    std::optional<StoredRecord> find(const Account& account, const ResourceSpec& spec, qint64 id);
    std::optional<QList<StoredRecord>> list(const Account& account, const ResourceSpec& spec);
    // Deleting what is not there (or not the account's) succeeds: the
    // desktop program only needs to know the record is gone. False only when
    // the database fails.
    bool remove(const Account& account, const ResourceSpec& spec, qint64 id);
    // Points each standard at its parent by the object URIs sent with them.
    bool relinkStandards(const Account& account);

    // The account's year is deleted or kept aside; either way the account
    // then holds no year, so the desktop program can send one anew.
    bool purgeYear(const Account& account);
    bool archiveYear(const Account& account);

private:
    Outcome<QJsonObject> resolve(const Account& account, const ResourceSpec& spec, QJsonObject fields);
    bool exists(const Account& account, const QString& kind, qint64 id);
    std::optional<QList<StoredRecord>> select(const QString& where, const QVariantList& values);
    bool removeFiles(const QString& where, const QVariantList& values);

    Storage& m_storage;
    FileStore& m_files;
};
