#include "cli/CliDates.h"

#include <QDate>
#include <QDateTime>
#include <QStringList>

namespace CliDates {

Result<Date> parseDay(const QString& text)
{
    const QDate day = QDate::fromString(text, Qt::ISODate);
    if (!day.isValid() || text.size() != 10)
        return Result<Date>::failure(QStringLiteral("\"%1\" is not a date of the form YYYY-MM-DD").arg(text));
    return Date::fromQDateTime(day.startOfDay());
}

QString formatDay(Date date)
{
    return date.toQDateTime().toLocalTime().toString(QStringLiteral("yyyy-MM-dd"));
}

QString formatTime(Date date)
{
    return date.toQDateTime().toLocalTime().toString(QStringLiteral("HH:mm"));
}

QJsonValue timeJson(const std::optional<Date>& time)
{
    return time ? QJsonValue(formatTime(*time)) : QJsonValue();
}

Result<int> parseWeekday(const QString& text)
{
    static const QStringList names { QStringLiteral("sunday"), QStringLiteral("monday"), QStringLiteral("tuesday"),
        QStringLiteral("wednesday"), QStringLiteral("thursday"), QStringLiteral("friday"), QStringLiteral("saturday") };
    const QString lower = text.trimmed().toLower();
    for (qsizetype weekday = 0; weekday < names.size(); ++weekday) {
        if (lower.size() >= 3 && names.at(weekday).startsWith(lower))
            return int(weekday);
    }
    return Result<int>::failure(QStringLiteral("\"%1\" is not a weekday (mon, tue, ...)").arg(text));
}

} // namespace CliDates

Result<QList<int>> CliDates::parseDayList(const QString& list, const QString& option)
{
    using Chosen = Result<QList<int>>;
    QList<int> positions;
    for (const QString& item : list.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
        if (option == u"days") {
            const Result<int> weekday = parseWeekday(item);
            if (!weekday)
                return Chosen::failure(weekday.error());
            positions.append(*weekday);
            continue;
        }
        bool ok = false;
        const int type = item.trimmed().toInt(&ok);
        if (!ok || type < 0)
            return Chosen::failure(QStringLiteral("--types takes day types from 0, not \"%1\"").arg(item));
        positions.append(type);
    }
    if (positions.isEmpty())
        return Chosen::failure(QStringLiteral("--%1 names no day").arg(option));
    return positions;
}
