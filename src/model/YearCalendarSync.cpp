#include "foundation/dates/LocalCalendar.h"
#include "foundation/plist/PropertyList.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "store/EntityModel.h"
#include "store/ObjectContext.h"

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

QList<Lesson::ICalNoteField> Lesson::iCalNoteFields(const Year& year, const QStringList& syncedFieldKeys)
{
    const EntityDescription* entity = year.context().model().entity(QStringLiteral("Lesson"));
    QList<ICalNoteField> fields;
    for (const QString& key : richFieldKeys()) {
        if (syncedFieldKeys.contains(key))
            fields.append({ entity->attributeIndex(shadowKey(key)), year.fieldTitle(key) });
    }
    return fields;
}

QString Lesson::stringForICalSync(const QList<ICalNoteField>& fields) const
{
    QString notes;
    for (const ICalNoteField& field : fields) {
        const QVariant& value = valueAtSlot(field.plainTextSlot);
        if (value.typeId() != QMetaType::QString)
            continue;
        const auto& text = *static_cast<const QString*>(value.constData());
        if (!text.isEmpty())
            notes.append(field.title).append(text).append(u"\n\n");
    }
    return notes;
}
