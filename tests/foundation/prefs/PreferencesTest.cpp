#include "foundation/prefs/Preferences.h"

#include "testlib/TemporaryPreferences.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

TEST(PreferencesTest, ShippedDefaultsAreRegistered)
{
    TemporaryPreferences temporary;
    Preferences& prefs = Preferences::shared();
    EXPECT_EQ(&prefs, &temporary.preferences());
    EXPECT_TRUE(prefs.boolValue(QStringLiteral("SemestraShowNotesView")));
    EXPECT_FALSE(prefs.boolValue(QStringLiteral("rotatingNumbers")));
    EXPECT_DOUBLE_EQ(prefs.doubleValue(QStringLiteral("fixedFontSize")), 12.0);
    EXPECT_FALSE(prefs.value(QStringLiteral("lastFileURLLeopard")).isValid());
}

TEST(PreferencesTest, UserValuesOverrideDefaultsAndPersist)
{
    TemporaryPreferences temporary;
    Preferences& prefs = temporary.preferences();
    EXPECT_TRUE(prefs.toggle(QStringLiteral("rotatingNumbers")));
    prefs.setValue(QStringLiteral("fixedFontSize"), 15.5);
    prefs.setValue(QStringLiteral("lastFileURLLeopard"), QStringLiteral("/home/t/Year 2026.semestra"));

    // A second store over the same file sees what the first wrote.
    Preferences reopened(std::make_unique<QSettings>(temporary.settingsPath(), QSettings::IniFormat));
    EXPECT_TRUE(reopened.boolValue(QStringLiteral("rotatingNumbers")));
    EXPECT_DOUBLE_EQ(reopened.doubleValue(QStringLiteral("fixedFontSize")), 15.5);
    EXPECT_EQ(reopened.stringValue(QStringLiteral("lastFileURLLeopard")), QStringLiteral("/home/t/Year 2026.semestra"));

    EXPECT_FALSE(prefs.toggle(QStringLiteral("rotatingNumbers")));
    prefs.removeValue(QStringLiteral("fixedFontSize"));
    EXPECT_DOUBLE_EQ(prefs.doubleValue(QStringLiteral("fixedFontSize")), 12.0);
}

TEST(PreferencesTest, DefaultsFileThatIsMissingOrNotADictionaryIsRefused)
{
    TemporaryPreferences temporary;
    QTemporaryDir folder;
    const QString arrayFile = folder.filePath(QStringLiteral("array.plist"));
    QFile file(arrayFile);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(R"(<plist version="1.0"><array><true/></array></plist>)");
    file.close();

    EXPECT_FALSE(temporary.preferences().registerDefaultsFromFile(arrayFile).ok());
    EXPECT_FALSE(temporary.preferences().registerDefaultsFromFile(folder.filePath(QStringLiteral("none.plist"))).ok());
    EXPECT_TRUE(temporary.preferences().boolValue(QStringLiteral("SemestraShowNotesView")));
}
