#pragma once

#include <QDate>
#include <QDateTime>
#include <QString>
#include <QTime>

// Dates, times and sizes as the pages show them, in US English like the
// rest of the service's texts, whatever the server's own locale.
namespace WebFormat {
QString longDate(QDate date); // "Tuesday, October 14, 2025"
QString shortDate(QDate date); // "Tue, Oct 14"
QString monthTitle(QDate date); // "October 2025"
QString monthName(QDate date); // "October"
QString time(QTime time); // "9:05 AM"
QString timeRange(QTime start, QTime end); // "9:05 AM – 9:55 AM", "" without a start
QString dateTime(const QDateTime& when); // "Oct 14, 2025, 9:05 AM"
QString fileSize(qint64 bytes); // "812 bytes", "12 KB", "3.4 MB"
} // namespace WebFormat
