#include "testlib/TemporaryPreferences.h"

TemporaryPreferences::TemporaryPreferences()
    : m_preferences(std::make_unique<Preferences>(std::make_unique<QSettings>(settingsPath(), QSettings::IniFormat)))
{
    m_preferences->registerShippedDefaults();
    Preferences::setShared(m_preferences.get());
}

TemporaryPreferences::~TemporaryPreferences()
{
    Preferences::setShared(nullptr);
}

QString TemporaryPreferences::settingsPath() const
{
    return m_folder.filePath(QStringLiteral("preferences.ini"));
}
