#pragma once

#include <QString>

class AlertPresenter;
class Day;

// The settings of the selected holiday or cancelled day: its name and its
// restoring. Extending it and making it a custom day open their own sheets.
class NonSchoolSettingsController {
public:
    void setDay(Day* day) { m_day = day; }
    Day* day() const { return m_day; }
    QString holidayName() const;
    // Every change is shown at once in the views' titles.
    void setHolidayName(const QString& name);
    // Makes the day a school day again and selects its first lesson; reports
    // it when the year has no day to copy the bells of.
    bool restoreHoliday(AlertPresenter& alerts);

private:
    Day* m_day = nullptr;
};
