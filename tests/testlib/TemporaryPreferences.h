#pragma once

#include "foundation/prefs/Preferences.h"

#include <QTemporaryDir>

// An isolated preferences store with the shipped defaults, installed as the
// shared preferences for the lifetime of the object.
class TemporaryPreferences {
public:
    TemporaryPreferences();
    ~TemporaryPreferences();
    TemporaryPreferences(const TemporaryPreferences&) = delete;
    TemporaryPreferences& operator=(const TemporaryPreferences&) = delete;

    Preferences& preferences() { return *m_preferences; }
    QString settingsPath() const;

private:
    QTemporaryDir m_folder;
    std::unique_ptr<Preferences> m_preferences;
};
