#pragma once

#include "store/ManagedObject.h"

// The year's report settings, read and written by key.
class LessonReportInformation : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    Date startDateForDaily() const { return requiredDate(u"startDateForDaily"); }
    Date endDateForDaily() const { return requiredDate(u"endDateForDaily"); }
};
