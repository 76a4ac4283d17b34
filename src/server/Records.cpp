#include "server/Records.h"

#include "server/FileStore.h"
#include "server/ResourceSpec.h"
#include "server/Storage.h"

#include <QDateTime>
#include <QHash>
#include <QJsonDocument>

namespace {

qint64 now()
{
    return QDateTime::currentSecsSinceEpoch();
}

QString json(const QJsonObject& fields)
{
    return QString::fromUtf8(QJsonDocument(fields).toJson(QJsonDocument::Compact));
}

template <typename T> Outcome<T> storageFailed()
{
    return Outcome<T>::refused(500, QStringLiteral("storage error"));
}

const QString recordColumns = QStringLiteral("id, fields, file_key, file_size");

} // namespace

Records::Records(Storage& storage, FileStore& files)
    : m_storage(storage)
    , m_files(files)
{ }

bool Records::exists(const Account& account, const QString& kind, qint64 id)
{
    return m_storage
        .scalar(QStringLiteral("SELECT 1 FROM records WHERE id = ? AND account_id = ? AND year_id = ? AND kind = ?"),
            { id, account.id, account.yearId, kind })
        .has_value();
}

Outcome<QJsonObject> Records::resolve(const Account& account, const ResourceSpec& spec, QJsonObject fields)
{
    if (!spec.isYear() && account.yearId < 0)
        return Outcome<QJsonObject>::refused(409, QStringLiteral("the account holds no year; send the year first"));
    for (const FieldSpec& field : spec.fields) {
        const QString value = fields.value(field.key).toString();
        if (field.type == FieldType::YearRef && referenceId(value) != account.yearId)
            return Outcome<QJsonObject>::refused(
                400, QStringLiteral("<%1> is not the year of this account").arg(field.element));
        if (field.type != FieldType::Ref && (field.type != FieldType::OptionalRef || value.trimmed().isEmpty()))
            continue;
        const qint64 id = *referenceId(value);
        if (!exists(account, field.target, id))
            return Outcome<QJsonObject>::refused(
                400, QStringLiteral("<%1> names no record of this account's year").arg(field.element));
        fields.insert(field.key, QString::number(id));
    }
    return fields;
}

Outcome<qint64> Records::createYear(const Account& account, const QJsonObject& fields)
{
    if (account.yearId >= 0)
        return Outcome<qint64>::refused(409, QStringLiteral("the account holds a year already; purge it first"));
    Transaction transaction(m_storage);
    // The account row is re-read under the write lock: two creates at once
    // must not both win.
    const auto held = m_storage.scalar(QStringLiteral("SELECT year_id FROM accounts WHERE id = ?"), { account.id });
    if (!transaction.begun() || !held)
        return storageFailed<qint64>();
    if (held->toLongLong() >= 0)
        return Outcome<qint64>::refused(409, QStringLiteral("the account holds a year already; purge it first"));
    const auto id
        = m_storage.scalar(QStringLiteral("INSERT INTO records (account_id, year_id, kind, fields, updated_at)"
                                          " VALUES (?, 0, 'years', ?, ?) RETURNING id"),
            { account.id, json(fields), now() });
    if (!id || !m_storage.run(QStringLiteral("UPDATE records SET year_id = id WHERE id = ?"), { *id })
        || !m_storage.run(QStringLiteral("UPDATE accounts SET year_id = ? WHERE id = ?"), { *id, account.id })
        || !transaction.commit())
        return storageFailed<qint64>();
    return id->toLongLong();
}

Outcome<qint64> Records::create(const Account& account, const ResourceSpec& spec, const QJsonObject& fields)
{
    const auto resolved = resolve(account, spec, fields);
    if (!resolved)
        return Outcome<qint64>::refusedAs(resolved);
    const auto id
        = m_storage.scalar(QStringLiteral("INSERT INTO records (account_id, year_id, kind, fields, updated_at)"
                                          " VALUES (?, ?, ?, ?, ?) RETURNING id"),
            { account.id, account.yearId, spec.name, json(*resolved), now() });
    if (!id)
        return storageFailed<qint64>();
    return id->toLongLong();
}

Outcome<qint64> Records::update(const Account& account, const ResourceSpec& spec, qint64 id, const QJsonObject& fields)
{
    if (!find(account, spec, id))
        return Outcome<qint64>::refused(404, QStringLiteral("no such %1 record").arg(spec.root));
    const auto resolved = resolve(account, spec, fields);
    if (!resolved)
        return Outcome<qint64>::refusedAs(resolved);
    if (!m_storage.run(QStringLiteral("UPDATE records SET fields = ?, updated_at = ? WHERE id = ? AND account_id = ?"),
            { json(*resolved), now(), id, account.id }))
        return storageFailed<qint64>();
    return id;
}

Outcome<qint64> Records::createFile(
    const Account& account, const ResourceSpec& spec, const QJsonObject& fields, const QByteArray& data)
{
    const auto resolved = resolve(account, spec, fields);
    if (!resolved)
        return Outcome<qint64>::refusedAs(resolved);
    const auto key = m_files.store(data);
    if (!key)
        return storageFailed<qint64>();
    const auto id = m_storage.scalar(
        QStringLiteral("INSERT INTO records (account_id, year_id, kind, fields, file_key, file_size, updated_at)"
                       " VALUES (?, ?, ?, ?, ?, ?, ?) RETURNING id"),
        { account.id, account.yearId, spec.name, json(*resolved), *key, qint64(data.size()), now() });
    if (!id) {
        m_files.remove(*key);
        return storageFailed<qint64>();
    }
    return id->toLongLong();
}

Outcome<qint64> Records::updateFile(const Account& account, const ResourceSpec& spec, qint64 id,
    const QJsonObject& fields, const std::optional<QByteArray>& data)
{
    const auto stored = find(account, spec, id);
    if (!stored)
        return Outcome<qint64>::refused(404, QStringLiteral("no such %1 record").arg(spec.root));
    auto resolved = resolve(account, spec, fields);
    if (!resolved)
        return Outcome<qint64>::refusedAs(resolved);
    QJsonObject values = *resolved;
    if (!data) // the content type belongs to the bytes kept
        values.insert(QStringLiteral("content_type"), stored->fields.value(QStringLiteral("content_type")));
    const auto key = data ? m_files.store(*data) : Result<QString>(stored->fileKey);
    if (!key)
        return storageFailed<qint64>();
    const qint64 size = data ? qint64(data->size()) : stored->fileSize;
    if (!m_storage.run(QStringLiteral("UPDATE records SET fields = ?, file_key = ?, file_size = ?, updated_at = ?"
                                      " WHERE id = ? AND account_id = ?"),
            { json(values), *key, size, now(), id, account.id })) {
        if (data)
            m_files.remove(*key);
        return storageFailed<qint64>();
    }
    if (data)
        m_files.remove(stored->fileKey);
    return id;
}

std::optional<QList<StoredRecord>> Records::select(const QString& where, const QVariantList& values)
{
    auto rows = m_storage.run(
        QStringLiteral("SELECT %1 FROM records WHERE %2 ORDER BY id").arg(recordColumns, where), values);
    if (!rows)
        return std::nullopt;
    QList<StoredRecord> records;
    while (rows->next()) {
        records.append(
            { rows->value(0).toLongLong(), QJsonDocument::fromJson(rows->value(1).toString().toUtf8()).object(),
                rows->value(2).toString(), rows->value(3).toLongLong() });
    }
    return records;
}

std::optional<StoredRecord> Records::find(const Account& account, const ResourceSpec& spec, qint64 id)
{
    if (spec.isYear() && id != account.yearId)
        return std::nullopt;
    const auto found = select(QStringLiteral("id = ? AND account_id = ? AND year_id = ? AND kind = ?"),
        { id, account.id, account.yearId, spec.name });
    if (!found || found->isEmpty())
        return std::nullopt;
    return found->first();
}

std::optional<QList<StoredRecord>> Records::list(const Account& account, const ResourceSpec& spec)
{
    return select(
        QStringLiteral("account_id = ? AND year_id = ? AND kind = ?"), { account.id, account.yearId, spec.name });
}

bool Records::removeFiles(const QString& where, const QVariantList& values)
{
    const auto doomed = select(where + QStringLiteral(" AND file_key IS NOT NULL"), values);
    if (!doomed)
        return false;
    if (!m_storage.run(QStringLiteral("DELETE FROM records WHERE ") + where, values))
        return false;
    // The rows go first: a file left behind by a crash here wastes space,
    // while a row left without its file would fail its download.
    for (const StoredRecord& record : *doomed)
        m_files.remove(record.fileKey);
    return true;
}

bool Records::remove(const Account& account, const ResourceSpec& spec, qint64 id)
{
    if (!spec.isYear())
        return removeFiles(QStringLiteral("id = ? AND account_id = ? AND kind = ?"), { id, account.id, spec.name });
    if (!m_storage.scalar(QStringLiteral("SELECT 1 FROM records WHERE id = ? AND account_id = ? AND kind = 'years'"),
            { id, account.id }))
        return true;
    if (account.yearId == id
        && !m_storage.run(QStringLiteral("UPDATE accounts SET year_id = -1 WHERE id = ?"), { account.id }))
        return false;
    return removeFiles(QStringLiteral("account_id = ? AND year_id = ?"), { account.id, id });
}

bool Records::relinkStandards(const Account& account)
{
    const auto standards = list(account, *ResourceSpecs::byName(QStringLiteral("standards")));
    if (!standards)
        return false;
    QHash<QString, qint64> byMoid;
    for (const StoredRecord& standard : *standards)
        byMoid.insert(standard.fields.value(QStringLiteral("moid")).toString(), standard.id);
    for (StoredRecord standard : *standards) {
        const QString parentMoid = standard.fields.value(QStringLiteral("parent_moid")).toString();
        const qint64 parent = parentMoid.isEmpty() ? 0 : byMoid.value(parentMoid, 0);
        const QJsonValue linked = parent ? QJsonValue(QString::number(parent)) : QJsonValue(QString());
        if (standard.fields.value(QStringLiteral("parent_id")) == linked)
            continue;
        standard.fields.insert(QStringLiteral("parent_id"), linked);
        if (!m_storage.run(
                QStringLiteral("UPDATE records SET fields = ? WHERE id = ?"), { json(standard.fields), standard.id }))
            return false;
    }
    return true;
}

bool Records::purgeYear(const Account& account)
{
    return account.yearId < 0 || remove(account, ResourceSpecs::years(), account.yearId);
}

bool Records::archiveYear(const Account& account)
{
    // The records stay under their year's id, out of reach of the protocol,
    // which only ever sees the account's current year.
    return account.yearId < 0
        || m_storage.run(QStringLiteral("UPDATE accounts SET year_id = -1 WHERE id = ?"), { account.id }).has_value();
}
