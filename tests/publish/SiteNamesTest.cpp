#include "publish/SiteNames.h"

#include "testlib/LocalDate.h"
#include "testlib/ZoneAndLocale.h"

#include <gtest/gtest.h>

using namespace SiteNames;

TEST(SiteNamesTest, CourseLinkNameReplacesSeparators)
{
    EXPECT_EQ(courseNameForLink(QStringLiteral("Math / Science 7")), QStringLiteral("Math___Science_7"));
    EXPECT_EQ(courseNameForLink(QStringLiteral("A;B'C\"D\\E")), QStringLiteral("A_B_C_D_E"));
    EXPECT_EQ(courseNameForLink(QStringLiteral("Français 数学")), QStringLiteral("Français_数学"));
}

TEST(SiteNamesTest, CourseFoldersAreSafeAndUnique)
{
    const QStringList folders = courseFolders({ QStringLiteral("."), QStringLiteral(".."), QString(),
        QStringLiteral("Math/Sci"), QStringLiteral("Math Sci"), QStringLiteral("math sci"),
        QStringLiteral("index.html"), QStringLiteral("Themes"), QStringLiteral("..%2F..%2Findex.html") });
    ASSERT_EQ(folders.size(), 9);
    QSet<QString> seen;
    for (const QString& folder : folders) {
        EXPECT_FALSE(folder.isEmpty());
        EXPECT_FALSE(folder.startsWith(u'.')) << folder.toStdString();
        EXPECT_FALSE(folder.contains(u'/')) << folder.toStdString();
        EXPECT_FALSE(seen.contains(folder.toLower())) << folder.toStdString();
        seen.insert(folder.toLower());
    }
    EXPECT_EQ(folders[3], QStringLiteral("Math_Sci"));
    EXPECT_EQ(folders[4], QStringLiteral("Math_Sci-2"));
    EXPECT_EQ(folders[5], QStringLiteral("math_sci-3"));
    EXPECT_NE(folders[6].toLower(), QStringLiteral("index.html"));
    EXPECT_NE(folders[7].toLower(), QStringLiteral("themes"));
}

TEST(SiteNamesTest, EarlierCoursesKeepTheirFolderWhenACollidingOneIsAdded)
{
    const QStringList before = courseFolders({ QStringLiteral("Art"), QStringLiteral("Math Sci") });
    const QStringList after
        = courseFolders({ QStringLiteral("Art"), QStringLiteral("Math Sci"), QStringLiteral("Math/Sci") });
    EXPECT_EQ(after.mid(0, 2), before);
    EXPECT_EQ(after[2], QStringLiteral("Math_Sci-2"));
}

TEST(SiteNamesTest, AccentsAreRemoved)
{
    EXPECT_EQ(stringByRemovingAccents(QStringLiteral("Éléphant à Noël, Straße, Łódź")),
        QStringLiteral("Elephant a Noel, Strasse, Lodz"));
    EXPECT_EQ(stringByRemovingAccents(QStringLiteral("Ελλάδα")), QString());
}

TEST(SiteNamesTest, CopiedFileNamesKeepDigitsAndStayInTheirFolder)
{
    EXPECT_EQ(cleanFileName(QStringLiteral("/home/t/Hand outs/Fiche n°7 été.pdf")), QStringLiteral("Fiche_n7_ete.pdf"));
    EXPECT_EQ(cleanFileName(QStringLiteral("/x/..%2F..%2Findex.html")), QStringLiteral("..2F..2Findex.html"));
    FolderNames names({ QStringLiteral("index.html") });
    EXPECT_EQ(names.claim(cleanFileName(QStringLiteral("/x/..%2F..%2Findex.html")), QStringLiteral("file")),
        QStringLiteral("2F..2Findex.html"));
    EXPECT_EQ(names.claim(QStringLiteral("index.html"), QStringLiteral("file")), QStringLiteral("index-2.html"));
    EXPECT_EQ(names.claim(QStringLiteral(".."), QStringLiteral("file")), QStringLiteral("file"));
    EXPECT_EQ(names.claim(cleanFileName(QStringLiteral("/x/图.pdf")), QStringLiteral("file")), QStringLiteral("pdf"));
    EXPECT_EQ(names.claim(QStringLiteral("Notes.PDF"), QStringLiteral("file")), QStringLiteral("Notes.PDF"));
    EXPECT_EQ(names.claim(QStringLiteral("notes.pdf"), QStringLiteral("file")), QStringLiteral("notes-2.pdf"));
}

TEST(SiteNamesTest, MonthAndDayNamesInEnglish)
{
    const DateNames names;
    EXPECT_FALSE(names.usesEnglishNames());
    EXPECT_EQ(names.monthFileName(local(2012, 9, 5)), QStringLiteral("September12"));
    EXPECT_EQ(names.dayFolderName(local(2012, 9, 5)), QStringLiteral("Sep52012"));
    EXPECT_EQ(names.monthFileName(local(2009, 1, 31)), QStringLiteral("January09"));
}

TEST(SiteNamesTest, AccentedMonthNamesLoseTheirAccents)
{
    const ZoneAndLocale french(QStringLiteral("Europe/Paris"), QStringLiteral("fr_FR"));
    const DateNames names;
    EXPECT_FALSE(names.usesEnglishNames());
    EXPECT_EQ(names.monthFileName(local(2013, 2, 1)), QStringLiteral("fevrier13"));
    EXPECT_EQ(names.monthFileName(local(2013, 8, 1)), QStringLiteral("aout13"));
    EXPECT_EQ(names.dayFolderName(local(2013, 2, 3)), QStringLiteral("fevr32013"));
}

TEST(SiteNamesTest, NonLatinLocalesFallBackToEnglishNames)
{
    for (const char* locale : { "ru_RU", "el_GR", "zh_CN", "ja_JP", "ar_EG" }) {
        const ZoneAndLocale zone(QStringLiteral("Europe/Berlin"), QString::fromLatin1(locale));
        const DateNames names;
        EXPECT_TRUE(names.usesEnglishNames()) << locale;
        EXPECT_EQ(names.monthFileName(local(2025, 3, 4)), QStringLiteral("March25")) << locale;
        EXPECT_EQ(names.dayFolderName(local(2025, 3, 4)), QStringLiteral("Mar42025")) << locale;
    }
}
