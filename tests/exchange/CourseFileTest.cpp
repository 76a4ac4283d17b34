#include "exchange/CourseFile.h"

#include "foundation/color/ColorArchive.h"
#include "foundation/plist/PropertyList.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

std::optional<CourseFile> parse(const QVariant& root)
{
    return CourseFile::fromData(PropertyList::writeXml(root));
}

} // namespace

TEST(CourseFileTest, AFileWithOnlyARootDictionaryIsAnEmptyCourse)
{
    const std::optional<CourseFile> file = parse(QVariantMap {});
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->courseName.isEmpty());
    EXPECT_FALSE(file->color);
    EXPECT_TRUE(file->units.isEmpty());
    EXPECT_TRUE(file->lessons.isEmpty());
}

TEST(CourseFileTest, ValuesOfTheWrongTypeAreLeftOutOneByOne)
{
    const QVariantMap root { { QStringLiteral("courseName"), 12 },
        { QStringLiteral("colorData"), QStringLiteral("red") },
        { QStringLiteral("units"), QVariantList { QStringLiteral("Fractions"), 3, QString(), QVariantMap {} } },
        { QStringLiteral("lessons"),
            QVariantList { QStringLiteral("not a lesson"),
                QVariantMap { { QStringLiteral("lessonTitle"), QStringLiteral("Kept") } }, QVariantList {} } },
        { QStringLiteral("syncID"), QStringLiteral("foreign") } };
    const std::optional<CourseFile> file = parse(root);
    ASSERT_TRUE(file);
    EXPECT_TRUE(file->courseName.isEmpty());
    EXPECT_FALSE(file->color);
    EXPECT_EQ(file->units, QStringList { QStringLiteral("Fractions") });
    ASSERT_EQ(file->lessons.size(), 1);
    EXPECT_EQ(file->lessons[0].value(QStringLiteral("lessonTitle")).toString(), QStringLiteral("Kept"));
}

TEST(CourseFileTest, OnlyOurColourArchiveGivesAColour)
{
    const QColor teal(0x1f, 0x9e, 0xa8);
    const auto ours = parse(QVariantMap { { QStringLiteral("colorData"), ColorArchive::archive(teal) } });
    ASSERT_TRUE(ours && ours->color);
    EXPECT_EQ(ours->color->rgb(), teal.rgb());
    const QByteArray foreign("\x04\x0bstreamtyped\x81\xe8\x03\x84\x01@\x84\x84\x84\x07NSColor", 33);
    const auto other = parse(QVariantMap { { QStringLiteral("colorData"), foreign } });
    ASSERT_TRUE(other);
    EXPECT_FALSE(other->color);
}

TEST(CourseFileTest, WhatIsNotADictionaryOfAPropertyListIsRefused)
{
    EXPECT_FALSE(parse(QVariantList { QVariantMap {} }));
    EXPECT_FALSE(CourseFile::fromData(QByteArrayLiteral("<plist><dict><key>a</key>")));
    EXPECT_FALSE(CourseFile::fromData(QByteArray()));
    QTemporaryDir folder;
    EXPECT_FALSE(CourseFile::read(folder.filePath(QStringLiteral("missing.plist"))));
}
