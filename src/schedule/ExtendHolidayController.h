#pragma once

#include "foundation/dates/Date.h"
#include "schedule/MakeNonSchoolDayController.h"

#include <QString>

class AlertPresenter;
class Day;

// Gives the days after a non-school day, up to a chosen date, the same
// state and name.
class ExtendHolidayController {
public:
    using ExistingLessons = MakeNonSchoolDayController::ExistingLessons;

    explicit ExtendHolidayController(AlertPresenter& alerts);

    // Sets the sheet up for the day: the chosen date is the next calendar
    // day, within the day's date and the year's end.
    void setDay(Day* day);
    Day* day() const { return m_day; }
    Date chosenDate() const { return m_chosenDate; }
    void setChosenDate(Date date) { m_chosenDate = date; }
    Date earliestDate() const;
    Date latestDate() const;
    QString label() const;

    void extendPressed();

    // Whether extending the day asks what to do with lessons: a holiday of a
    // rotating year slides the rotation instead.
    static bool asksAboutLessons(const Day& day);
    // The change itself, through the end of `lastDate`'s calendar day.
    static void extend(Day& day, Date lastDate, ExistingLessons existingLessons);

private:
    AlertPresenter& m_alerts;
    Day* m_day = nullptr;
    Date m_chosenDate;
};
