#pragma once

#include "store/ManagedObject.h"

// The year's report settings, read and written by key.
class LessonReportInformation : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    Date startDateForDaily() const { return requiredDate(u"startDateForDaily"); }
    Date endDateForDaily() const { return requiredDate(u"endDateForDaily"); }
    double baseFontSize() const { return value<double>(u"baseFontSize"); }
    double weeklyReportBaseFontSize() const { return value<double>(u"weeklyReportBaseFontSize"); }
    bool isShown(const QString& showKey) const { return value<bool>(showKey); }
    // A header is RTF; an absent or empty one means the report has none.
    QByteArray header(const QString& headerKey) const { return value<QString>(headerKey).toUtf8(); }

    // What a new year's reports start with: every part of a lesson shown,
    // sizes that read well on paper, lesson boxes as tall as their text.
    void setDefaults();
};
