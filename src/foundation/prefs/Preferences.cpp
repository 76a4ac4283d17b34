#include "foundation/prefs/Preferences.h"

#include "foundation/plist/PropertyList.h"

namespace {

Preferences* installedShared = nullptr;

Preferences& applicationPreferences()
{
    static Preferences preferences(std::make_unique<QSettings>(
        QSettings::NativeFormat, QSettings::UserScope, QStringLiteral("Semestra"), QStringLiteral("Semestra")));
    static const bool registered = (preferences.registerShippedDefaults(), true);
    Q_UNUSED(registered);
    return preferences;
}

} // namespace

Preferences& Preferences::shared()
{
    return installedShared ? *installedShared : applicationPreferences();
}

void Preferences::setShared(Preferences* preferences)
{
    installedShared = preferences;
}

Preferences::Preferences(std::unique_ptr<QSettings> settings)
    : m_settings(std::move(settings))
{ }

void Preferences::registerDefaults(const QVariantMap& defaults)
{
    m_defaults.insert(defaults);
}

Status Preferences::registerDefaultsFromFile(const QString& propertyListPath)
{
    const Result<QVariant> plist = PropertyList::readFile(propertyListPath);
    if (!plist)
        return Status::failure(plist.error());
    if (plist->typeId() != QMetaType::QVariantMap)
        return Status::failure(QStringLiteral("%1 does not hold a dictionary").arg(propertyListPath));
    registerDefaults(plist->toMap());
    return Status::success();
}

void Preferences::registerShippedDefaults()
{
    const Status status = registerDefaultsFromFile(QStringLiteral(":/UserDefaults.plist"));
    // The file is compiled in; failing to read it is a build fault, not a user's.
    Q_ASSERT_X(status.ok(), "Preferences", qPrintable(status.error()));
}

QVariant Preferences::value(const QString& key) const
{
    return m_settings->value(key, m_defaults.value(key));
}

void Preferences::setValue(const QString& key, const QVariant& value)
{
    m_settings->setValue(key, value);
}

void Preferences::removeValue(const QString& key)
{
    m_settings->remove(key);
}

bool Preferences::toggle(const QString& key)
{
    const bool flipped = !boolValue(key);
    setValue(key, flipped);
    return flipped;
}
