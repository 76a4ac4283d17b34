#pragma once

#include "store/ObjectContext.h"

// Fills a context with records of every concrete entity, every attribute set
// to a value that tells records apart and every relationship linked, by
// walking the entity model, so that a property added to the model is covered
// without touching the tests.
class StoreGraphFiller {
public:
    static void fill(ObjectContext& context, int recordsPerEntity = 2);
    static QVariant sampleValue(AttributeType type, int seed);
    // Describes every difference between the records of two contexts ("" when equal).
    static QString differences(const ObjectContext& expected, const ObjectContext& actual);
};
