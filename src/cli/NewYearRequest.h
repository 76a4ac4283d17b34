#pragma once

#include "cli/CommandLine.h"
#include "schedule/NewYearPlan.h"

#include <QHash>
#include <QList>

class AlertPresenter;
class ObjectContext;
class Year;

// The answers a script gives to the new-year wizard. Meetings are column
// identifiers of the wizard's course selection table: full weekday names
// for weekly schedules, rotation day numbers for rotating ones.
struct NewYearRequest {
    Date startDate;
    Date endDate;
    QList<int> teachingDays;
    QStringList courseNames;
    NewYearPlan::Schedule schedule = NewYearPlan::Schedule::Traditional;
    int rotationLength = 0;
    QHash<QString, QStringList> meetings;

    static Result<NewYearRequest> fromCommandLine(const CommandLine& line);

    // Plays the request through the wizard, as a user filling in its pages
    // would. A refusal has been shown through `alerts` and gives no year.
    Year* build(ObjectContext& context, AlertPresenter& alerts) const;

private:
    Status readRotation(const CommandLine& line);
    Status readMeetings(const QStringList& meets);
};
