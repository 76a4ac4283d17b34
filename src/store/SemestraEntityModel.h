#pragma once

#include "store/EntityModel.h"

// The entities of a Semestra document. Files record the version; a file of
// another version is upgraded (older) or refused (newer) before it is read.
class SemestraEntityModel {
public:
    static constexpr int version = 21;
    static const EntityModel& shared();
};
