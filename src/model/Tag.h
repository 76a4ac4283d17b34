#pragma once

#include "store/ManagedObject.h"

// A named tag of lessons. Tags are only read: nothing in the planner makes them.
class Tag : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    QString name() const { return value<QString>(u"name"); }
};
