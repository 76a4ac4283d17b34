#pragma once

#include "store/ManagedObject.h"

class Course;
class LessonReportInformation;
class PublishInfo;
class Week;

// The school year a document holds: its dates, schedule type, field labels
// and the collections of courses, weeks, units and standards.
class Year : public ManagedObject {
public:
    using ManagedObject::ManagedObject;

    enum ScheduleType { Traditional = 0, WeeklyRepeating = 1, Rotating = 2 };

    Date startDate() const { return value<Date>(u"startDate"); }
    Date endDate() const { return value<Date>(u"endDate"); }
    int typeOfSchedule() const { return value<int>(u"typeOfSchedule"); }
    int repeatInterval() const { return value<int>(u"repeatInterval"); }
    bool isNonRotating() const { return typeOfSchedule() < Rotating; }

    QList<Course*> myCourses() const;
    QList<Week*> weeks() const;
    PublishInfo* publish() const;
    // The report settings, created on first use starting and ending at the
    // year's start date.
    LessonReportInformation* lessonReportInformation();

    // Records deleted after being sent to the online service, to be deleted
    // there too: "syncID:type," entries kept in teacherPhone.
    QString deleteStack() const { return value<QString>(u"teacherPhone"); }
    // Adds the record's entry unless it has no identifier or is there already.
    void addObjectToDeleteStack(const ManagedObject& object, const QString& type);

    // Meeting times.

    // Moves every lesson's times onto its day.
    void fixLessonTimes();
    // Puts back on their weekday the days that a change of time-zone rules
    // moved across midnight, taking the first week as the model.
    void fixDaylightSavings();
};
