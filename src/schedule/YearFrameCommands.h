#pragma once

class AlertPresenter;
class Year;

// Adding a week before the first or after the last week of the year, with
// the report of the year's new first or last date.
namespace YearFrameCommands {

bool insertWeekAtBeginning(Year& year, AlertPresenter& alerts);
bool extendYearByOneWeek(Year& year, AlertPresenter& alerts);

} // namespace YearFrameCommands
