#pragma once

#include "server/web/WebViews.h"

#include <QString>

// How a page marks a day that is not an ordinary school day.
namespace DayKind {
// "holiday", "cancelled", "custom" or "school".
QString cssClass(const DayView& day);
// "Holiday", "Cancelled", "Custom day", or "" for an ordinary school day.
QString label(const DayView& day);
} // namespace DayKind
