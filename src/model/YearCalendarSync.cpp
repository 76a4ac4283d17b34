#include "foundation/dates/LocalCalendar.h"
#include "foundation/plist/PropertyList.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

const QString Year::localCalendarType = QStringLiteral("Local");
const QString Year::notesCalendarKey = QStringLiteral("Notes");
const QString Year::nonSchoolDaysCalendarKey = QStringLiteral("Non School Days");

namespace {

QVariantMap calendarEntry(const QString& calendarName, const QString& courseName)
{
    return { { QStringLiteral("calendarName"), calendarName },
        { QStringLiteral("calendarType"), Year::localCalendarType }, { QStringLiteral("courseName"), courseName } };
}

std::optional<Date> timeOnLessonDay(std::optional<Date> time, const Day* day)
{
    if (!time || !day)
        return std::nullopt;
    // The wall-clock time is carried over field by field: going through text
    // with a 1-24 hour would put a midnight meeting on the next day.
    DateComponents parts = LocalCalendar::components(day->actualDate());
    const DateComponents clock = LocalCalendar::components(*time);
    parts.hour = clock.hour;
    parts.minute = clock.minute;
    parts.second = clock.second;
    return LocalCalendar::dateFromComponents(parts);
}

} // namespace

void Year::generateCalendarSyncDict()
{
    const Result<QVariant> stored = PropertyList::readXml(value<QString>(u"teacherDepartment").toUtf8());
    m_calendarSyncDict = stored ? stored->toMap() : QVariantMap();
    for (const Course* course : myCourses()) {
        if (!m_calendarSyncDict.contains(course->courseName()))
            m_calendarSyncDict.insert(course->courseName(), calendarEntry(course->courseName(), course->courseName()));
    }
    if (!m_calendarSyncDict.contains(nonSchoolDaysCalendarKey))
        m_calendarSyncDict.insert(nonSchoolDaysCalendarKey,
            calendarEntry(QStringLiteral("Semestra - Non School Days"), nonSchoolDaysCalendarKey));
    if (!m_calendarSyncDict.contains(notesCalendarKey))
        m_calendarSyncDict.insert(notesCalendarKey, calendarEntry(QStringLiteral("Semestra"), notesCalendarKey));
    storeCalendarSyncDict();
}

void Year::storeCalendarSyncDict()
{
    const QString stored = QString::fromUtf8(PropertyList::writeXml(m_calendarSyncDict));
    if (stored != value<QString>(u"teacherDepartment"))
        setValue(u"teacherDepartment", stored);
}

QList<Lesson*> Year::lessonsUpdatedSinceLastICalSync(bool okToSync) const
{
    const std::optional<Date> lastSync = value<std::optional<Date>>(u"lastICalSync");
    QList<Lesson*> lessons = getAllLessons();
    lessons.removeIf([&](const Lesson* lesson) {
        if (!lesson->hasData())
            return true;
        if (!okToSync || !lastSync)
            return false;
        const std::optional<Date> updated = lesson->lastUpdated();
        return !updated || *updated < *lastSync;
    });
    return lessons;
}

std::optional<Date> Lesson::startTimeForICal() const
{
    return timeOnLessonDay(startTime(), dayTaught());
}

std::optional<Date> Lesson::endTimeForICal() const
{
    return timeOnLessonDay(endTime(), dayTaught());
}

QString Lesson::stringForICalSync(const QStringList& syncedFieldKeys) const
{
    const Year* owner = year();
    QString notes;
    for (const QString& key : richFieldKeys()) {
        const QString text = value<QString>(shadowKey(key));
        if (!syncedFieldKeys.contains(key) || text.isEmpty())
            continue;
        notes += (owner ? owner->fieldTitle(key) : QString()) + text + QStringLiteral("\n\n");
    }
    return notes;
}
