#pragma once

#include "model/SyncedRecord.h"

class Lesson;
class Week;
class Year;

// One calendar day of the schedule, identified by its local midnight.
class Day : public SyncedRecord {
public:
    using SyncedRecord::SyncedRecord;

    Date actualDate() const { return value<Date>(u"actualDate"); }
    bool isHoliday() const { return value<bool>(u"isHoliday"); }
    bool isCancelled() const { return value<bool>(u"isCancelled"); }
    bool isCustom() const { return value<bool>(u"isCustom"); }
    int typeOfDay() const { return value<int>(u"typeOfDay"); }
    QString holidayName() const { return value<QString>(u"holidayName"); }
    QString notes() const { return value<QString>(u"notes"); }

    bool isNonSchoolDay() const { return isHoliday() || isCancelled(); }
    bool isCustomDay() const { return !isNonSchoolDay() && isCustom(); }
    bool notesHasData() const { return !notes().isEmpty(); }
    // The notes as unstyled rich text (RTF); setting it keeps only the text.
    QByteArray attributedNotes() const;
    void setAttributedNotes(const QByteArray& rtf);

    Week* week() const;
    Year* year() const;
    QList<Lesson*> lessons() const;

    // Display forms of the day, in the current locale.
    int dayOfWeek() const;
    QString dayOfMonth() const;
    QString nameOfMonth() const;
    QString weekDayName() const;
    QString shortWeekDayName() const;
    QString dateForDayView() const;
    QString dateForAssignmentsPopUp() const;
    QString dayOfWeekMonthDay() const;
    QString shortDateString() const;
    QString mediumDateString() const;
    QString mediumLongDateString() const;
    QString longDateString() const;
    QString typeOfDayLetter() const;
    // The day type as a letter or, when the user prefers, a number.
    QString rotationString() const;

protected:
    const QStringList& keysThatUpdateTime() const override;
};
