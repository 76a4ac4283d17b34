#pragma once

#include "server/Accounts.h"
#include "server/YearSnapshot.h"

#include <QHash>

#include <optional>

class Records;
class Storage;

// The read-only public address of a course, for its students and parents.
// Its token is made the first time the teacher switches the link on and kept
// when it is switched off, so switching on again restores the same address.
class CourseLinks {
public:
    CourseLinks(Storage& storage, Records& records);

    QHash<qint64, YearSnapshot::CourseLink> ofAccount(qint64 accountId);
    // False when the course is not one of the account's current year.
    bool set(const Account& account, qint64 courseId, bool on);

    struct Shared {
        Account owner;
        qint64 courseId = 0;
    };
    // The course behind a switched-on link.
    std::optional<Shared> find(const QString& token);

private:
    Storage& m_storage;
    Records& m_records;
};
