#include "server/web/WebFormat.h"

#include <QLocale>

namespace {

const QLocale& english()
{
    static const QLocale locale(QLocale::English, QLocale::UnitedStates);
    return locale;
}

} // namespace

namespace WebFormat {

QString longDate(QDate date)
{
    return english().toString(date, QStringLiteral("dddd, MMMM d, yyyy"));
}

QString shortDate(QDate date)
{
    return english().toString(date, QStringLiteral("ddd, MMM d"));
}

QString monthTitle(QDate date)
{
    return english().toString(date, QStringLiteral("MMMM yyyy"));
}

QString monthName(QDate date)
{
    return english().toString(date, QStringLiteral("MMMM"));
}

QString time(QTime time)
{
    return english().toString(time, QStringLiteral("h:mm AP"));
}

QString timeRange(QTime start, QTime end)
{
    if (!start.isValid())
        return {};
    if (!end.isValid())
        return time(start);
    return time(start) + QStringLiteral(" \u2013 ") + time(end);
}

QString dateTime(const QDateTime& when)
{
    return english().toString(when, QStringLiteral("MMM d, yyyy, h:mm AP"));
}

QString fileSize(qint64 bytes)
{
    constexpr qint64 kilobyte = 1024;
    constexpr qint64 megabyte = kilobyte * kilobyte;
    if (bytes < kilobyte)
        return QStringLiteral("%1 bytes").arg(bytes);
    if (bytes < megabyte)
        return QStringLiteral("%1 KB").arg((bytes + kilobyte / 2) / kilobyte);
    return QStringLiteral("%1 MB").arg(english().toString(double(bytes) / double(megabyte), 'f', 1));
}

} // namespace WebFormat
