#include "foundation/plist/PlistScalar.h"

#include <QLocale>

#include <algorithm>
#include <cmath>
#include <limits>

namespace {

constexpr int minimumYear = 1;
constexpr int maximumYear = 9999;

// "yyyy-MM-dd?HH:mm:ss" is the common prefix of both date forms.
constexpr qsizetype dateAndTimeLength = 19;

QDateTime utc(QDate date, QTime time)
{
    return QDateTime(date, time, Qt::UTC);
}

} // namespace

Result<qint64> PlistScalar::parseInteger(QStringView text)
{
    text = text.trimmed();
    const bool negative = text.startsWith(u'-');
    if (negative || text.startsWith(u'+'))
        text = text.mid(1);
    if (text.isEmpty())
        return Result<qint64>::failure(QStringLiteral("an integer needs digits"));

    // Accumulate the magnitude unsigned so that the most negative qint64 fits.
    const quint64 limit = quint64(std::numeric_limits<qint64>::max()) + (negative ? 1 : 0);
    quint64 magnitude = 0;
    for (const QChar c : text) {
        if (c < u'0' || c > u'9')
            return Result<qint64>::failure(QStringLiteral("\"%1\" is not an integer").arg(text));
        const quint64 digit = c.unicode() - u'0';
        if (magnitude > (limit - digit) / 10)
            return Result<qint64>::failure(QStringLiteral("integer %1 is out of range").arg(text));
        magnitude = magnitude * 10 + digit;
    }
    return negative ? qint64(0 - magnitude) : qint64(magnitude);
}

Result<double> PlistScalar::parseReal(QStringView text)
{
    text = text.trimmed();
    const QString lower = text.toString().toLower();
    if (lower == u"+infinity" || lower == u"infinity")
        return std::numeric_limits<double>::infinity();
    if (lower == u"-infinity")
        return -std::numeric_limits<double>::infinity();

    bool ok = false;
    const double value = lower.toDouble(&ok);
    if (!ok)
        return Result<double>::failure(QStringLiteral("\"%1\" is not a real number or is out of range").arg(text));
    return value;
}

QString PlistScalar::formatReal(double value)
{
    if (std::isnan(value))
        return QStringLiteral("nan");
    if (std::isinf(value))
        return value > 0 ? QStringLiteral("+infinity") : QStringLiteral("-infinity");
    return QString::number(value, 'g', QLocale::FloatingPointShortest);
}

Result<QDateTime> PlistScalar::parseXmlDate(QStringView text)
{
    text = text.trimmed();
    if (text.size() != dateAndTimeLength + 1 || text.back() != u'Z')
        return Result<QDateTime>::failure(QStringLiteral("\"%1\" is not a date like 2001-01-01T00:00:00Z").arg(text));
    return parseDateAndTime(text.first(dateAndTimeLength), u'T');
}

QString PlistScalar::formatXmlDate(const QDateTime& value)
{
    const QDateTime v = wholeSecondsInRange(value);
    return QString::asprintf("%04d-%02d-%02dT%02d:%02d:%02dZ", v.date().year(), v.date().month(), v.date().day(),
        v.time().hour(), v.time().minute(), v.time().second());
}

Result<QDateTime> PlistScalar::parseTextDate(QStringView text)
{
    text = text.trimmed();
    const qsizetype offsetAt = dateAndTimeLength + 1;
    const bool shaped = text.size() == offsetAt + 5 && text.at(dateAndTimeLength) == u' '
        && (text.at(offsetAt) == u'+' || text.at(offsetAt) == u'-');
    const int offsetHours = shaped ? digits(text, offsetAt + 1, 2) : -1;
    const int offsetMinutes = shaped ? digits(text, offsetAt + 3, 2) : -1;
    if (offsetHours < 0 || offsetHours > 23 || offsetMinutes < 0 || offsetMinutes > 59)
        return Result<QDateTime>::failure(
            QStringLiteral("\"%1\" is not a date like 2001-01-01 00:00:00 +0000").arg(text));

    auto local = parseDateAndTime(text.first(dateAndTimeLength), u' ');
    if (!local)
        return local;
    const int sign = text.at(offsetAt) == u'+' ? 1 : -1;
    const QDateTime result = local->addSecs(-sign * (offsetHours * 3600 + offsetMinutes * 60));
    if (result.date().year() < minimumYear || result.date().year() > maximumYear)
        return Result<QDateTime>::failure(QStringLiteral("date %1 is out of range").arg(text));
    return result;
}

QString PlistScalar::formatTextDate(const QDateTime& value)
{
    const QDateTime v = wholeSecondsInRange(value);
    return QString::asprintf("%04d-%02d-%02d %02d:%02d:%02d +0000", v.date().year(), v.date().month(), v.date().day(),
        v.time().hour(), v.time().minute(), v.time().second());
}

Result<QDateTime> PlistScalar::parseDateAndTime(QStringView text, QChar separator)
{
    const bool shaped = text.at(4) == u'-' && text.at(7) == u'-' && text.at(10) == separator && text.at(13) == u':'
        && text.at(16) == u':';
    const int year = digits(text, 0, 4);
    const QDate date(year, digits(text, 5, 2), digits(text, 8, 2));
    const QTime time(digits(text, 11, 2), digits(text, 14, 2), digits(text, 17, 2));
    if (!shaped || year < minimumYear || !date.isValid() || !time.isValid())
        return Result<QDateTime>::failure(QStringLiteral("\"%1\" is not a valid date").arg(text));
    return utc(date, time);
}

QDateTime PlistScalar::wholeSecondsInRange(const QDateTime& value)
{
    const QDateTime earliest = utc(QDate(minimumYear, 1, 1), QTime(0, 0));
    const QDateTime latest = utc(QDate(maximumYear, 12, 31), QTime(23, 59, 59));
    const QDateTime v = std::clamp(value.toUTC(), earliest, latest);
    const QTime t = v.time();
    return utc(v.date(), QTime(t.hour(), t.minute(), t.second()));
}

int PlistScalar::digits(QStringView text, qsizetype from, qsizetype count)
{
    int number = 0;
    for (const QChar c : text.sliced(from, count)) {
        if (c < u'0' || c > u'9')
            return -1;
        number = number * 10 + (c.unicode() - u'0');
    }
    return number;
}
