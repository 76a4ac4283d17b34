#include "model/Lesson.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/richtext/RichText.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/ModelNotifications.h"
#include "model/Unit.h"
#include "model/Year.h"

#include <QScopedValueRollback>

const QStringList& Lesson::richFieldKeys()
{
    static const QStringList keys { QStringLiteral("lessonBody"), QStringLiteral("homework"),
        QStringLiteral("publicComment"), QStringLiteral("custom1"), QStringLiteral("custom2"),
        QStringLiteral("custom3") };
    return keys;
}

const QStringList& Lesson::keysThatUpdateTime() const
{
    static const QStringList keys = QStringList { QStringLiteral("lessonTitle") } + richFieldKeys();
    return keys;
}

void Lesson::didChangeValue(const QString& key)
{
    SyncedRecord::didChangeValue(key);
    if (!isCopyingAttributes() && listsKey(richFieldKeys(), key))
        setValue(shadowKey(key), RichText::plainText(value<QByteArray>(key)));
    if (!listsKey(keysThatUpdateTime(), key))
        return;
    if (m_fieldsChanging)
        m_displayTextChanged = true;
    else
        NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, this);
}

void Lesson::valuesRestored()
{
    NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, this);
}

void Lesson::changeFieldsTogether(const std::function<void()>& change)
{
    if (m_fieldsChanging) {
        change();
        return;
    }
    {
        const QScopedValueRollback changing(m_fieldsChanging, true);
        m_displayTextChanged = false;
        change();
    }
    if (m_displayTextChanged)
        NotificationCenter::defaultCenter().post(ModelNotifications::lessonDisplayTextChanged, this);
}

namespace {

const PropertyKey dayTaughtKey(u"dayTaught");
const PropertyKey courseKey(u"course");
const PropertyKey unitKey(u"unit");
const PropertyKey assignmentsKey(u"assignments");

} // namespace

Day* Lesson::dayTaught() const
{
    return object<Day>(dayTaughtKey);
}

Course* Lesson::course() const
{
    return object<Course>(courseKey);
}

Unit* Lesson::unit() const
{
    return object<Unit>(unitKey);
}

Year* Lesson::year() const
{
    return dayTaught() ? dayTaught()->year() : nullptr;
}

QString Lesson::courseName() const
{
    return course() ? course()->courseName() : QString();
}

QList<Assignment*> Lesson::assignments() const
{
    return objects<Assignment>(assignmentsKey);
}

// Plain strings are what count: the title and the six shadows. Times,
// positions, flags and the rich fields themselves do not.
bool Lesson::hasData() const
{
    for (const AttributeDescription& attribute : entity().attributes()) {
        if (attribute.type != AttributeType::String || attribute.name == u"iCalUID" || attribute.name == u"syncID")
            continue;
        if (!value<QString>(attribute.name).isEmpty())
            return true;
    }
    return !objects(u"assignments").isEmpty();
}

void Lesson::makeFieldsEqual()
{
    for (const QString& key : richFieldKeys()) {
        if (const std::optional<QByteArray> agreeing
            = RichText::agreeingWith(value<QByteArray>(key), value<QString>(shadowKey(key))))
            setValue(key, *agreeing);
    }
}

void Lesson::addToYearDeleteStack()
{
    Year* owner = year();
    if (!owner)
        return;
    owner->addObjectToDeleteStack(*this, QStringLiteral("lesson"));
    for (ManagedObject* attachment : objects(u"attachments")) {
        const bool isFile = dynamic_cast<AttachedFile*>(attachment) != nullptr;
        owner->addObjectToDeleteStack(
            *attachment, isFile ? QStringLiteral("attachfile") : QStringLiteral("attachlink"));
    }
}

QString Lesson::stringForEditingMode() const
{
    const QString date = dayTaught()
        ? DateFormatting::formatTemplate(dayTaught()->actualDate(), QStringLiteral("EEEEMMMMdyyyy"))
        : QString();
    if (!year() || year()->isNonRotating())
        return QStringLiteral("%1 on %2").arg(courseName(), date);
    return QStringLiteral("%1 on %2 (%3)").arg(courseName(), date, dayTaught()->rotationString());
}

QString Lesson::dateStringForScrollingView() const
{
    return dayTaught() ? DateFormatting::formatTemplate(dayTaught()->actualDate(), QStringLiteral("MMMdyyyy"))
                       : QString();
}

QString Lesson::dateAndCourseNameString() const
{
    return QStringLiteral("%1 on %2").arg(courseName(), dayTaught() ? dayTaught()->dayOfWeekMonthDay() : QString());
}

// Empty for a lesson without meeting times: there is no time to show.
QString Lesson::timeString() const
{
    if (!hasTimes())
        return {};
    return QStringLiteral("%1 - %2").arg(
        DateFormatting::formatShortTime(*startTime()), DateFormatting::formatShortTime(*endTime()));
}
