#include "schedule/LessonTimeEditor.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "schedule/TypedTime.h"

namespace {

// Typed times have minute precision; anything closer is the same time.
constexpr double sameTimeSquaredSeconds = 900;

} // namespace

LessonTimeEditor::LessonTimeEditor(AlertPresenter& alerts)
    : m_alerts(alerts)
{ }

QString LessonTimeEditor::changeStartTime(Lesson& lesson, const QString& typed)
{
    return changeTime(lesson, typed, u"startTime");
}

QString LessonTimeEditor::changeEndTime(Lesson& lesson, const QString& typed)
{
    return changeTime(lesson, typed, u"endTime");
}

QString LessonTimeEditor::changeTime(Lesson& lesson, const QString& typed, QStringView key)
{
    // A lesson without a time yet takes the typed one on its own day.
    const std::optional<Date> current = lesson.value<std::optional<Date>>(key);
    const Date onDate = current ? *current : lesson.dayTaught() ? lesson.dayTaught()->actualDate() : Date::now();
    if (const std::optional<Date> time = TypedTime::parse(typed, onDate)) {
        const double difference = current ? time->timeIntervalSince(*current) : 0;
        if (!current || difference * difference >= sameTimeSquaredSeconds)
            setTime(lesson, *time, key);
    }
    const std::optional<Date> shown = lesson.value<std::optional<Date>>(key);
    return shown ? DateFormatting::formatShortTime(*shown) : QString();
}

void LessonTimeEditor::setTime(Lesson& lesson, Date time, QStringView key)
{
    Day* day = lesson.dayTaught();
    if (!day)
        return;
    if (day->isCustom()) {
        lesson.setDate(key, time);
        lesson.fixUpTimes();
        return;
    }
    const int meeting = lesson.dayTaught()->positionOfLesson(&lesson);
    const DaysToChange answer = getDaysThatShouldBeChanged(lesson);
    for (Day* other : answer.days) {
        if (Lesson* twin = other->lessonInCourse(lesson.course(), meeting)) {
            twin->setDate(key, time);
            twin->fixUpTimes();
        }
    }
    if (answer.onlyThisLesson)
        day->setValue(u"isCustom", true);
}

QString LessonTimeEditor::question(const Lesson& lesson) const
{
    const Day* day = lesson.dayTaught();
    const Year* year = lesson.year();
    const int schedule = year ? year->typeOfSchedule() : Year::Traditional;
    if (schedule == Year::WeeklyRepeating)
        return QStringLiteral("Would you like to adjust all %1 lessons on %2s, or just this particular lesson")
            .arg(lesson.courseName(), day->weekDayName());
    if (schedule >= Year::Rotating)
        return QStringLiteral("Would you like to adjust all %1 lessons on %2 days, or just this particular lesson")
            .arg(lesson.courseName(), day->typeOfDayLetter());
    return QStringLiteral("Would you like to adjust all %1 lessons, or just this particular lesson")
        .arg(lesson.courseName());
}

LessonTimeEditor::DaysToChange LessonTimeEditor::getDaysThatShouldBeChanged(const Lesson& lesson)
{
    Day* day = lesson.dayTaught();
    if (!day)
        return {};
    const int answer = m_alerts.runModal(Alert { QStringLiteral("Adjust This Lesson Only?"), question(lesson),
        QStringLiteral("Only This Lesson"), QStringLiteral("All Matching Lessons"), {} });
    if (answer == AlertDefaultReturn)
        return { { day }, true };
    return { lesson.year()->getAllDaysLike(day), false };
}
