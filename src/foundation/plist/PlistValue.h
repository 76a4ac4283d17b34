#pragma once

#include <QVariant>

// How a QVariant maps onto the eight property-list types. Both writers and any
// code that compares trees go through kind(), so the mapping lives in one place:
//   QVariantMap, QVariantHash       -> Dictionary
//   QVariantList, QStringList       -> Array
//   QByteArray                      -> Data
//   valid QDateTime                 -> Date
//   bool                            -> Boolean
//   signed and unsigned integers    -> Integer (unsigned values above the qint64
//                                      range become Real, the nearest type that
//                                      reads back at all)
//   double, float                   -> Real
//   anything else                   -> String, written as QVariant::toString();
//                                      a null variant or an invalid QDateTime
//                                      writes "".
class PlistValue {
public:
    enum class Kind { Dictionary, Array, String, Data, Date, Integer, Real, Boolean };

    static Kind kind(const QVariant& value);

    // Deep equality of two trees by property-list type: a qint64 1 and a bool
    // true differ, a QString and a QStringList element compare by text, and
    // NaN equals NaN so that round trips of any real can be checked.
    static bool same(const QVariant& a, const QVariant& b);

private:
    static bool sameMaps(const QVariantMap& a, const QVariantMap& b);
    static bool sameLists(const QVariantList& a, const QVariantList& b);
    static bool sameReals(double a, double b);
};
