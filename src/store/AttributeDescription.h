#pragma once

#include <QString>

// How an attribute is kept in memory and on disk. Dates are seconds since
// 2001-01-01 00:00:00 UTC; booleans are 0/1 integers; rich text and other
// opaque bytes are binary.
enum class AttributeType {
    String,
    Integer,
    Double,
    Boolean,
    Date,
    Binary,
};

struct AttributeDescription {
    QString name;
    AttributeType type = AttributeType::String;
    // The column of the entity's table: "Z" + the name in capitals, numbered
    // when a sibling sub-entity already uses that name for another attribute.
    QString columnName;
};
