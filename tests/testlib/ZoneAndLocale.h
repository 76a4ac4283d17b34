#pragma once

#include <QByteArray>
#include <QLocale>
#include <QString>

// Puts the process in a given time zone and locale (for Qt, ICU and the C
// library alike) and restores the previous ones when it goes out of scope.
// Tests that depend on local time use it so that they pass on any machine.
class ZoneAndLocale {
public:
    ZoneAndLocale(const QString& zoneId, const QString& localeId);
    ~ZoneAndLocale();
    ZoneAndLocale(const ZoneAndLocale&) = delete;
    ZoneAndLocale& operator=(const ZoneAndLocale&) = delete;

    // The harness default: America/New_York (with daylight saving) and en_US.
    static void applyDefaults();
    static void apply(const QString& zoneId, const QString& localeId);

private:
    QByteArray m_previousZone;
    bool m_hadZone = false;
    QString m_previousLocale;
};
