#pragma once

#include "store/ObjectContext.h"

// A school year of the size teachers really keep: courses × school days
// lessons with text in three rich fields, a unit per course every few weeks,
// assignments, attachments and a standards tree linked to lessons.
struct FullSizeYear {
    int courses = 10;
    int schoolDays = 200;
    int standards = 300;

    std::unique_ptr<ObjectContext> build() const;
};
