#pragma once

#include "store/ObjectContext.h"

// The record classes of a Semestra document, for a context to build its
// records with.
class SemestraRecords {
public:
    static ObjectContext::RecordFactory factory();
    // A new, empty document's records.
    static std::unique_ptr<ObjectContext> newContext();
};
