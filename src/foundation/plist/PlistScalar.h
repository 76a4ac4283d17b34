#pragma once

#include "foundation/core/Result.h"

#include <QDateTime>
#include <QString>
#include <QStringView>

// The textual forms of the scalar types shared by both notations. Parsers take
// the raw text of one value and answer with a message (no position) on failure;
// the readers add where it happened.
//
// Dates carry whole seconds in both notations (XML "2001-01-01T00:00:00Z", the
// typed text form "2001-01-01 00:00:00 +0000"), so writing drops milliseconds.
// Years run from 1 to 9999: readers reject anything else and writers clamp to it.
class PlistScalar {
public:
    static Result<qint64> parseInteger(QStringView text);

    // Besides decimal and exponent forms: "nan", "inf", "+infinity", "-infinity".
    static Result<double> parseReal(QStringView text);
    // The shortest text that reads back to exactly the same double.
    static QString formatReal(double value);

    static Result<QDateTime> parseXmlDate(QStringView text);
    static QString formatXmlDate(const QDateTime& value);

    // The text form allows any offset ("+0100", "-0530"); the result is in UTC.
    static Result<QDateTime> parseTextDate(QStringView text);
    static QString formatTextDate(const QDateTime& value);

private:
    static Result<QDateTime> parseDateAndTime(QStringView text, QChar separator);
    static QDateTime wholeSecondsInRange(const QDateTime& value);
    static int digits(QStringView text, qsizetype from, qsizetype count);
};
