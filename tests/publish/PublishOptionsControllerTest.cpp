#include "publish/PublishOptionsController.h"

#include "SiteFixture.h"

#include <QFileInfo>

class PublishOptionsControllerTest : public SiteFixture {
protected:
    PublishOptionsControllerTest() { options.setPreviewFolder(previewFolder.path()); }

    // The records the document would save, to show that nothing changed.
    std::pair<QSet<ManagedObject*>, QSet<ManagedObject*>> pendingChanges() const
    {
        return { context->insertedObjects(), context->updatedObjects() };
    }

    QTemporaryDir previewFolder;
    PublishOptionsController options { *year() };
};

TEST_F(PublishOptionsControllerTest, AnUnknownStoredThemeSelectsTheFirst)
{
    info->setValue(u"cssTheme", QStringLiteral("Default (Cream and Blue)"));
    options.windowDidLoad();
    EXPECT_EQ(options.theme(), QStringLiteral("Default"));
    info->setValue(u"cssTheme", QStringLiteral("Metal"));
    options.windowDidLoad();
    EXPECT_EQ(options.theme(), QStringLiteral("Metal"));
}

TEST_F(PublishOptionsControllerTest, ThePreviewShowsTheFirstLessonWithDataAndChangesNothing)
{
    fill(lessons[3], QStringLiteral("Shown"));
    const std::optional<Date> watermark = math->value<std::optional<Date>>(u"latestUploadDate");
    options.selectTheme(QStringLiteral("Pastel"));
    options.settings().mainTitle = QStringLiteral("Preview title");
    const auto before = pendingChanges();
    const std::optional<QString> shown = options.buildPreview();
    ASSERT_TRUE(shown);
    EXPECT_EQ(*shown, QDir(previewFolder.path()).filePath(QStringLiteral("Math/Mar52026/index.html")));
    QFile page(*shown);
    ASSERT_TRUE(page.open(QIODevice::ReadOnly));
    const QString html = QString::fromUtf8(page.readAll());
    EXPECT_TRUE(html.contains(QStringLiteral("Shown")));
    EXPECT_TRUE(html.contains(QStringLiteral("themes/Pastel/theme.css")));
    EXPECT_TRUE(QFileInfo::exists(QDir(previewFolder.path()).filePath(QStringLiteral("Math/March26.html"))));
    QFile top(QDir(previewFolder.path()).filePath(QStringLiteral("index.html")));
    ASSERT_TRUE(top.open(QIODevice::ReadOnly));
    EXPECT_TRUE(top.readAll().contains("Preview title"));
    EXPECT_EQ(pendingChanges(), before);
    EXPECT_EQ(math->value<std::optional<Date>>(u"latestUploadDate"), watermark);
    EXPECT_EQ(info->cssTheme(), QStringLiteral("Default"));
    EXPECT_FALSE(exists(QStringLiteral("index.html"))) << "the site's own folder is left alone";
}

TEST_F(PublishOptionsControllerTest, APreviewReplacesTheLastOne)
{
    fill(lessons[3], QStringLiteral("Shown"));
    ASSERT_TRUE(options.buildPreview());
    lessons[3]->setValue(u"lessonTitle", QString());
    lessons[3]->setValue(u"homeworkString", QString());
    lessons[3]->setValue(u"homework", QVariant());
    fill(artLessons[0], QStringLiteral("Other"));
    ASSERT_TRUE(options.buildPreview());
    EXPECT_FALSE(QFileInfo::exists(QDir(previewFolder.path()).filePath(QStringLiteral("Math"))));
}

TEST_F(PublishOptionsControllerTest, WithoutLessonsThePreviewShowsTheTopLevelPage)
{
    const std::optional<QString> shown = options.buildPreview();
    ASSERT_TRUE(shown);
    EXPECT_EQ(*shown, QDir(previewFolder.path()).filePath(QStringLiteral("index.html")));
}

TEST_F(PublishOptionsControllerTest, OkStoresTheSettingsAndAnUnchangedSheetStoresNothing)
{
    const auto before = pendingChanges();
    options.okPressed();
    EXPECT_EQ(pendingChanges(), before);
    options.selectTheme(QStringLiteral("Black"));
    options.settings().publishField[1] = false;
    options.settings().showCredit = true;
    options.okPressed();
    EXPECT_EQ(info->cssTheme(), QStringLiteral("Black"));
    EXPECT_FALSE(info->isOn(u"publishHomework"));
    EXPECT_TRUE(info->isOn(u"showMadeWithSemestra"));
}
