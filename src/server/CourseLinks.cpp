#include "server/CourseLinks.h"

#include "server/Records.h"
#include "server/ResourceSpec.h"
#include "server/Secrets.h"
#include "server/Storage.h"

CourseLinks::CourseLinks(Storage& storage, Records& records)
    : m_storage(storage)
    , m_records(records)
{ }

QHash<qint64, YearSnapshot::CourseLink> CourseLinks::ofAccount(qint64 accountId)
{
    QHash<qint64, YearSnapshot::CourseLink> links;
    auto rows = m_storage.run(
        QStringLiteral("SELECT course_id, enabled, token FROM course_links WHERE account_id = ?"), { accountId });
    while (rows && rows->next())
        links.insert(rows->value(0).toLongLong(), { rows->value(1).toInt() != 0, rows->value(2).toString() });
    return links;
}

bool CourseLinks::set(const Account& account, qint64 courseId, bool on)
{
    if (!m_records.find(account, *ResourceSpecs::byName(QStringLiteral("courses")), courseId))
        return false;
    if (m_storage.scalar(QStringLiteral("SELECT 1 FROM course_links WHERE course_id = ?"), { courseId }))
        return m_storage
            .run(QStringLiteral("UPDATE course_links SET enabled = ? WHERE course_id = ? AND account_id = ?"),
                { int(on), courseId, account.id })
            .has_value();
    return m_storage
        .run(QStringLiteral("INSERT INTO course_links (course_id, account_id, token, enabled) VALUES (?, ?, ?, ?)"),
            { courseId, account.id, Secrets::randomToken(), int(on) })
        .has_value();
}

std::optional<CourseLinks::Shared> CourseLinks::find(const QString& token)
{
    auto row = m_storage.run(QStringLiteral("SELECT l.course_id, a.id, a.username, a.year_id FROM course_links l"
                                            " JOIN accounts a ON a.id = l.account_id"
                                            " WHERE l.token = ? AND l.enabled = 1 AND a.disabled = 0"),
        { token });
    if (!row || !row->next())
        return std::nullopt;
    Shared shared;
    shared.courseId = row->value(0).toLongLong();
    shared.owner.id = row->value(1).toLongLong();
    shared.owner.username = row->value(2).toString();
    shared.owner.yearId = row->value(3).toLongLong();
    return shared;
}
