#include "model/Day.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/dates/RotationLabels.h"
#include "foundation/prefs/Preferences.h"
#include "foundation/richtext/RichText.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"

using namespace DateFormatting;

const QStringList& Day::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("notes"), QStringLiteral("holidayName"),
        QStringLiteral("holidayType") };
    return keys;
}

QByteArray Day::attributedNotes() const
{
    return RichText::fromPlainText(notes());
}

void Day::setAttributedNotes(const QByteArray& rtf)
{
    setValue(u"notes", RichText::plainText(rtf));
}

Year* Day::year() const
{
    return week() ? week()->year() : nullptr;
}

int Day::dayOfWeek() const
{
    return LocalCalendar::weekday(actualDate());
}

QString Day::dayOfMonth() const
{
    return formatPattern(actualDate(), QStringLiteral("d"));
}

QString Day::nameOfMonth() const
{
    return formatPattern(actualDate(), QStringLiteral("MMM."));
}

QString Day::weekDayName() const
{
    return formatPattern(actualDate(), QStringLiteral("EEEE"));
}

QString Day::shortWeekDayName() const
{
    return formatPattern(actualDate(), QStringLiteral("EEE."));
}

QString Day::dateForDayView() const
{
    return formatTemplate(actualDate(), QStringLiteral("EEEEdMMMM"));
}

QString Day::dateForAssignmentsPopUp() const
{
    return formatTemplate(actualDate(), QStringLiteral("EEdMMMY"));
}

QString Day::dayOfWeekMonthDay() const
{
    return formatTemplate(actualDate(), QStringLiteral("EdMMM"));
}

QString Day::shortDateString() const
{
    return formatDateStyle(actualDate(), DateStyle::Short);
}

QString Day::mediumDateString() const
{
    return QStringLiteral("%1. - %2")
        .arg(formatPattern(actualDate(), QStringLiteral("EEE")), formatDateStyle(actualDate(), DateStyle::Medium));
}

QString Day::mediumLongDateString() const
{
    return QStringLiteral("%1. - %2").arg(weekDayName(), formatDateStyle(actualDate(), DateStyle::Long));
}

QString Day::longDateString() const
{
    return formatDateStyle(actualDate(), DateStyle::Long);
}

QString Day::typeOfDayLetter() const
{
    return RotationLabels::typeOfDayLetter(typeOfDay());
}

QString Day::rotationString() const
{
    const bool numbers = Preferences::shared().boolValue(QStringLiteral("rotatingNumbers"));
    return RotationLabels::rotationLabel(
        typeOfDay(), numbers ? RotationLabels::Numbering::Numbers : RotationLabels::Numbering::Letters);
}

Week* Day::week() const
{
    return object<Week>(u"week");
}

QList<Lesson*> Day::lessons() const
{
    return objects<Lesson>(u"lessons");
}
