#pragma once

#include <QList>
#include <QString>
#include <QStringList>

class AlertPresenter;
class Day;
class Year;

// The "Convert Day To" submenu: one item per day type of a rotating year, or
// per weekday on which a non-rotating year has days.
namespace ConvertDayMenu {

struct Item {
    QString title;
    int tag = 0;
    int dayType = 0;
    QString weekdayName;
};

// Tags start at 500, in the items' order.
constexpr int firstTag = 500;

// The rotation's day types as the user prefers them read: "A Day" or "Day 1".
QStringList dayTypeLabels(const Year& year);
QList<Item> items(const Year& year);
// Rebuilds the day, empty, on the item's schedule and tells the views.
// Reports a failure when the year has no day to copy.
bool convert(Day& day, const Item& item, AlertPresenter& alerts);

} // namespace ConvertDayMenu
