#pragma once

#include "foundation/dates/Date.h"

#include <QDateTime>

#include <gtest/gtest.h>

#include <ostream>

// An instant written in ISO 8601 with its offset ("2026-03-08T00:00:00-05:00"),
// so that expected values are stated plainly and computed by Qt, not by the
// code under test.
inline Date at(const char* iso)
{
    const QDateTime dateTime = QDateTime::fromString(QString::fromLatin1(iso), Qt::ISODate);
    if (!dateTime.isValid())
        ADD_FAILURE() << "not an ISO 8601 instant: " << iso;
    return Date::fromQDateTime(dateTime);
}

inline void PrintTo(const Date& date, std::ostream* out)
{
    *out << date.toQDateTime().toUTC().toString(Qt::ISODate).toStdString();
}
