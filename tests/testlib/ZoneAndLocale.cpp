#include "testlib/ZoneAndLocale.h"

#include <unicode/locid.h>
#include <unicode/timezone.h>
#include <unicode/unistr.h>

#include <cstdlib>
#include <ctime>

namespace {

QString currentIcuLocale()
{
    return QString::fromLatin1(icu::Locale::getDefault().getName());
}

} // namespace

ZoneAndLocale::ZoneAndLocale(const QString& zoneId, const QString& localeId)
    : m_previousLocale(currentIcuLocale())
{
    if (const char* zone = std::getenv("TZ")) {
        m_hadZone = true;
        m_previousZone = zone;
    }
    apply(zoneId, localeId);
}

ZoneAndLocale::~ZoneAndLocale()
{
    if (m_hadZone)
        ::setenv("TZ", m_previousZone.constData(), 1);
    else
        ::unsetenv("TZ");
    ::tzset();
    icu::TimeZone::adoptDefault(icu::TimeZone::detectHostTimeZone());
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(m_previousLocale.toLatin1().constData()), status);
    QLocale::setDefault(QLocale(m_previousLocale));
}

void ZoneAndLocale::applyDefaults()
{
    apply(QStringLiteral("America/New_York"), QStringLiteral("en_US"));
}

void ZoneAndLocale::apply(const QString& zoneId, const QString& localeId)
{
    ::setenv("TZ", zoneId.toUtf8().constData(), 1);
    ::tzset();
    icu::TimeZone::adoptDefault(icu::TimeZone::createTimeZone(icu::UnicodeString::fromUTF8(zoneId.toStdString())));
    UErrorCode status = U_ZERO_ERROR;
    icu::Locale::setDefault(icu::Locale(localeId.toLatin1().constData()), status);
    QLocale::setDefault(QLocale(localeId));
}
