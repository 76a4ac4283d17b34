#include "foundation/color/Colors.h"

#include "foundation/color/ColorArchive.h"

#include <gtest/gtest.h>

TEST(ColorsTest, DefaultCourseColorIsTheDeepGreen)
{
    const QColor color = Colors::defaultCourseColor();
    EXPECT_NEAR(color.hsvHueF(), 0.33, 0.002);
    EXPECT_FLOAT_EQ(color.hsvSaturationF(), 1.0f);
    EXPECT_NEAR(color.valueF(), 0.49, 0.001);
    EXPECT_FLOAT_EQ(color.alphaF(), 1.0f);
    EXPECT_EQ(color.spec(), QColor::Rgb);
}

TEST(ColorsTest, HighlightBlendsTowardWhiteAndKeepsAlpha)
{
    const QColor half = QColor::fromRgbF(0.0f, 0.5f, 1.0f, 0.5f);
    const QColor light = Colors::highlighted(half, 0.1f);
    EXPECT_NEAR(light.redF(), 0.1, 1e-4);
    EXPECT_NEAR(light.greenF(), 0.55, 1e-4);
    EXPECT_NEAR(light.blueF(), 1.0, 1e-4);
    EXPECT_NEAR(light.alphaF(), 0.5, 1e-4);
    EXPECT_EQ(Colors::highlighted(half, 0.0f), half);
}

TEST(ColorsTest, TransparentVariantOnlyChangesAlpha)
{
    const QColor color(200, 30, 40);
    const QColor transparent = Colors::withAlpha(color, 0.5f);
    EXPECT_EQ(transparent.rgb(), color.rgb());
    EXPECT_NEAR(transparent.alphaF(), 0.5, 1e-3);
}

TEST(ColorsTest, Components255AreTruncatedNotRounded)
{
    // 0.999 × 255 = 254.7 → 254; 1.0 → 255; 0 → 0.
    const auto c = Colors::components255(QColor::fromRgbF(0.999f, 1.0f, 0.0f));
    EXPECT_EQ(c, (std::array<int, 3> { 254, 255, 0 }));
}

TEST(ColorArchiveTest, ArchiveRoundTripsColorAndAlpha)
{
    for (const QColor& color : { Colors::defaultCourseColor(), QColor(12, 200, 255, 128), QColor(Qt::black),
             QColor::fromRgbF(1.0f, 1.0f, 1.0f, 0.0f) }) {
        const std::optional<QColor> back = ColorArchive::unarchive(ColorArchive::archive(color));
        ASSERT_TRUE(back.has_value());
        EXPECT_EQ(back->rgba64(), color.toRgb().rgba64());
    }
}

TEST(ColorArchiveTest, ReadsWhiteColorsAndOpaqueRgbWithoutAlpha)
{
    const auto archiveWith = [](const char* object) {
        return QByteArray(R"(<?xml version="1.0" encoding="UTF-8"?><plist version="1.0"><dict>
<key>$top</key><dict><key>root</key><dict><key>CF$UID</key><integer>1</integer></dict></dict>
<key>$objects</key><array><string>$null</string>)")
            + object + "</array></dict></plist>";
    };
    const auto white = ColorArchive::unarchive(archiveWith(
        "<dict><key>NSColorSpace</key><integer>3</integer><key>NSWhite</key><data>MC41IDAuMjUA</data></dict>"));
    ASSERT_TRUE(white.has_value());
    EXPECT_NEAR(white->redF(), 0.5, 1e-4);
    EXPECT_NEAR(white->blueF(), 0.5, 1e-4);
    EXPECT_NEAR(white->alphaF(), 0.25, 1e-4);

    const auto opaque = ColorArchive::unarchive(
        archiveWith("<dict><key>NSColorSpace</key><integer>2</integer><key>NSRGB</key><data>MSAwIDAA</data></dict>"));
    ASSERT_TRUE(opaque.has_value());
    EXPECT_EQ(*opaque, QColor(Qt::red));
}

TEST(ColorArchiveTest, RefusesDataThatIsNotAColor)
{
    EXPECT_EQ(ColorArchive::unarchive(QByteArray()), std::nullopt);
    EXPECT_EQ(ColorArchive::unarchive("not a plist"), std::nullopt);
    EXPECT_EQ(ColorArchive::unarchive(R"(<plist version="1.0"><dict/></plist>)"), std::nullopt);
    // A component outside 0…1 or a missing one is refused rather than clamped.
    QByteArray archive = ColorArchive::archive(QColor(Qt::red));
    const QByteArray encodedComponents = QByteArray("1 0 0 1\0", 8).toBase64();
    ASSERT_TRUE(archive.contains(encodedComponents));
    EXPECT_EQ(
        ColorArchive::unarchive(QByteArray(archive).replace(encodedComponents, QByteArray("2 0 0 1\0", 8).toBase64())),
        std::nullopt);
    EXPECT_EQ(
        ColorArchive::unarchive(QByteArray(archive).replace(encodedComponents, QByteArray("1 0\0", 4).toBase64())),
        std::nullopt);
}
