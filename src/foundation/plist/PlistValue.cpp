#include "foundation/plist/PlistValue.h"

#include <QDateTime>

#include <cmath>
#include <limits>

PlistValue::Kind PlistValue::kind(const QVariant& value)
{
    switch (value.typeId()) {
    case QMetaType::QVariantMap:
    case QMetaType::QVariantHash:
        return Kind::Dictionary;
    case QMetaType::QVariantList:
    case QMetaType::QStringList:
        return Kind::Array;
    case QMetaType::QByteArray:
        return Kind::Data;
    case QMetaType::QDateTime:
        return value.toDateTime().isValid() ? Kind::Date : Kind::String;
    case QMetaType::Bool:
        return Kind::Boolean;
    case QMetaType::Char:
    case QMetaType::SChar:
    case QMetaType::UChar:
    case QMetaType::Short:
    case QMetaType::UShort:
    case QMetaType::Int:
    case QMetaType::UInt:
    case QMetaType::Long:
    case QMetaType::LongLong:
        return Kind::Integer;
    case QMetaType::ULong:
    case QMetaType::ULongLong:
        return value.toULongLong() > quint64(std::numeric_limits<qint64>::max()) ? Kind::Real : Kind::Integer;
    case QMetaType::Double:
    case QMetaType::Float:
        return Kind::Real;
    default:
        return Kind::String;
    }
}

bool PlistValue::same(const QVariant& a, const QVariant& b)
{
    const Kind kindA = kind(a);
    if (kindA != kind(b))
        return false;
    switch (kindA) {
    case Kind::Dictionary:
        return sameMaps(a.toMap(), b.toMap());
    case Kind::Array:
        return sameLists(a.toList(), b.toList());
    case Kind::String:
        return a.toString() == b.toString();
    case Kind::Data:
        return a.toByteArray() == b.toByteArray();
    case Kind::Date:
        return a.toDateTime() == b.toDateTime();
    case Kind::Integer:
        return a.toLongLong() == b.toLongLong();
    case Kind::Real:
        return sameReals(a.toDouble(), b.toDouble());
    case Kind::Boolean:
        return a.toBool() == b.toBool();
    }
    return false;
}

bool PlistValue::sameMaps(const QVariantMap& a, const QVariantMap& b)
{
    if (a.size() != b.size())
        return false;
    for (auto itA = a.cbegin(), itB = b.cbegin(); itA != a.cend(); ++itA, ++itB) {
        if (itA.key() != itB.key() || !same(itA.value(), itB.value()))
            return false;
    }
    return true;
}

bool PlistValue::sameLists(const QVariantList& a, const QVariantList& b)
{
    if (a.size() != b.size())
        return false;
    for (qsizetype i = 0; i < a.size(); ++i) {
        if (!same(a.at(i), b.at(i)))
            return false;
    }
    return true;
}

bool PlistValue::sameReals(double a, double b)
{
    return a == b || (std::isnan(a) && std::isnan(b));
}
