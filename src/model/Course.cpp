#include "model/Course.h"

#include "foundation/color/ColorArchive.h"
#include "foundation/color/Colors.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/Unit.h"
#include "model/Year.h"

const QStringList& Course::keysThatUpdateTime() const
{
    static const QStringList keys { QStringLiteral("courseName") };
    return keys;
}

void Course::didChangeValue(const QString& key)
{
    SyncedRecord::didChangeValue(key);
    if (key == u"colorData" || key == u"red" || key == u"green" || key == u"blue")
        m_cachedColor.reset();
    else if (key == u"courseName")
        NotificationCenter::defaultCenter().post(ModelNotifications::courseNameChanged, this);
}

void Course::valuesRestored()
{
    m_cachedColor.reset();
    NotificationCenter::defaultCenter().post(ModelNotifications::courseColorChanged, this);
    NotificationCenter::defaultCenter().post(ModelNotifications::courseNameChanged, this);
}

QColor Course::colorFromAttributes() const
{
    if (const std::optional<QColor> archived = ColorArchive::unarchive(value<QByteArray>(u"colorData")))
        return *archived;
    const QVariant red = value(u"red");
    const QVariant green = value(u"green");
    const QVariant blue = value(u"blue");
    if (red.isValid() && green.isValid() && blue.isValid())
        return QColor::fromRgbF(red.toFloat() / 255.0f, green.toFloat() / 255.0f, blue.toFloat() / 255.0f, 1.0f);
    return Colors::defaultCourseColor();
}

QColor Course::color() const
{
    if (!m_cachedColor)
        m_cachedColor = colorFromAttributes();
    return *m_cachedColor;
}

void Course::setColor(const QColor& newColor)
{
    setValue(u"colorData", ColorArchive::archive(newColor));
    m_cachedColor = newColor;
    NotificationCenter::defaultCenter().post(ModelNotifications::courseColorChanged, this);
}

QColor Course::lightColor() const
{
    return Colors::highlighted(color(), 0.1f);
}

QColor Course::transparentColor() const
{
    return Colors::withAlpha(color(), 0.5f);
}

void Course::setRGBColors()
{
    const auto [red, green, blue] = Colors::components255(color());
    setValue(u"red", red);
    setValue(u"green", green);
    setValue(u"blue", blue);
}

void Course::addToDeleteStack()
{
    if (Year* owner = year())
        owner->addObjectToDeleteStack(*this, QStringLiteral("course"));
}

Year* Course::year() const
{
    return object<Year>(u"year");
}

QList<Lesson*> Course::lessons() const
{
    return objects<Lesson>(u"lessons");
}

QList<Unit*> Course::units() const
{
    return objects<Unit>(u"units");
}
