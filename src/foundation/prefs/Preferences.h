#pragma once

#include "foundation/core/Result.h"

#include <QSettings>
#include <QVariantMap>

#include <memory>

// The user's preferences: values the user set, stored with QSettings, over
// defaults registered at start-up (from the shipped "UserDefaults" property
// list). Reading a key the user never set gives its registered default.
class Preferences {
public:
    // The preferences of the running application. Tests install an isolated
    // store with setShared() (see TemporaryPreferences) and never touch the user's.
    static Preferences& shared();
    static void setShared(Preferences* preferences);

    explicit Preferences(std::unique_ptr<QSettings> settings);

    void registerDefaults(const QVariantMap& defaults);
    Status registerDefaultsFromFile(const QString& propertyListPath);
    // The defaults that ship inside the application.
    void registerShippedDefaults();

    QVariant value(const QString& key) const;
    bool boolValue(const QString& key) const { return value(key).toBool(); }
    double doubleValue(const QString& key) const { return value(key).toDouble(); }
    QString stringValue(const QString& key) const { return value(key).toString(); }

    void setValue(const QString& key, const QVariant& value);
    void removeValue(const QString& key);
    // Flips a boolean preference and returns its new value.
    bool toggle(const QString& key);

private:
    std::unique_ptr<QSettings> m_settings;
    QVariantMap m_defaults;
};
