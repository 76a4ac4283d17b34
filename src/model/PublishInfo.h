#pragma once

#include "store/ManagedObject.h"

// The year's web publishing settings, read and written by key.
class PublishInfo : public ManagedObject {
public:
    using ManagedObject::ManagedObject;
};
