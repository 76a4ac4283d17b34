#include "SiteFixture.h"
#include "WaitForJob.h"
#include "publish/PublishJob.h"
#include "publish/PublishThemes.h"

class PublishControllerTest : public SiteFixture { };

TEST_F(PublishControllerTest, RefusesToPublishWithoutAFolder)
{
    info->setValue(u"localExportLocation", QStringLiteral("  "));
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(controller().checkFolder());
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, PublishController::noFolderTitle);
    EXPECT_EQ(controller().publishPath(), QString());
    info->setValue(u"localExportLocation", QVariant());
    EXPECT_FALSE(controller().checkFolder());
}

TEST_F(PublishControllerTest, RelativeFoldersAreTakenFromTheHomeFolder)
{
    info->setValue(u"localExportLocation", QStringLiteral("Sites/class"));
    EXPECT_EQ(controller().publishPath(), QDir::home().filePath(QStringLiteral("Sites/class")));
    info->setValue(u"localExportLocation", QStringLiteral("~/Sites/../web"));
    EXPECT_EQ(controller().publishPath(), QDir::home().filePath(QStringLiteral("web")));
    info->setValue(u"localExportLocation", QStringLiteral("/srv/www"));
    EXPECT_EQ(controller().publishPath(), QStringLiteral("/srv/www"));
    EXPECT_TRUE(controller().checkFolder());
}

TEST_F(PublishControllerTest, ChoosingAFolderStartsAtTheChosenOne)
{
    files.answerNext(std::nullopt);
    EXPECT_EQ(controller().choosePressed(), std::nullopt);
    files.answerNext(QStringLiteral("/tmp/chosen/"));
    EXPECT_EQ(controller().choosePressed(), std::optional(QStringLiteral("/tmp/chosen")));
    EXPECT_EQ(files.folderPanels().last().directory, site.path());
    EXPECT_EQ(controller().publishPath(), site.path()) << "kept until the teacher publishes";
}

TEST_F(PublishControllerTest, ASuccessfulPublishMovesOnlyPublishedCourses)
{
    art->setValue(u"publish", 0);
    const std::optional<Date> artBefore = art->value<std::optional<Date>>(u"latestUploadDate");
    info->setValue(u"defaultConnectionType", 1);
    publish();
    ASSERT_TRUE(outcome.published());
    EXPECT_EQ(math->value<std::optional<Date>>(u"latestUploadDate"), days.last()->actualDate());
    EXPECT_EQ(art->value<std::optional<Date>>(u"latestUploadDate"), artBefore);
    EXPECT_EQ(info->value<int>(u"defaultConnectionType"), 0);
    EXPECT_TRUE(alerts.shown().isEmpty());
}

TEST_F(PublishControllerTest, AYearWithoutSettingsGetsThemWhenPublished)
{
    year()->setObject(u"publish", nullptr);
    context->deleteObject(info);
    PublishController fresh(*year(), alerts, files);
    EXPECT_EQ(fresh.publishPath(), QString());
    fresh.setTheme(QStringLiteral("Retro"));
    ASSERT_NE(year()->publish(), nullptr);
    EXPECT_EQ(year()->publish()->cssTheme(), QStringLiteral("Retro"));
    fresh.setTheme(QStringLiteral("Default (Cream and Blue)"));
    EXPECT_EQ(year()->publish()->cssTheme(), PublishThemes::names().first());
}

TEST_F(PublishControllerTest, TheStoredThemeIsCopiedAndUsed)
{
    controller().setTheme(QStringLiteral("Blue Box"));
    publish();
    EXPECT_TRUE(exists(QStringLiteral("themes/Blue Box/theme.css")));
    EXPECT_TRUE(exists(QStringLiteral("themes/Blue Box/Courses/calendarstyle.css")));
    EXPECT_TRUE(
        page(QStringLiteral("Math/March26.html")).contains(QStringLiteral("href=\"../themes/Blue%20Box/theme.css\"")));
    EXPECT_TRUE(page(QStringLiteral("themes/Blue Box/theme.css")).contains(QStringLiteral("Blue Box")));
}

TEST_F(PublishControllerTest, ABackgroundJobWritesTheSameSite)
{
    for (int place = 0; place < 10; ++place)
        fill(lessons[place], QStringLiteral("Math %1").arg(place));
    publish();
    QTemporaryDir other;
    info->setValue(u"localExportLocation", other.path());
    std::unique_ptr<PublishJob> job = controller().makeJob();
    QList<int> progress;
    QObject::connect(job.get(), &PublishJob::progressed, [&](int done, int total) {
        progress.append(done);
        EXPECT_EQ(total, 2);
    });
    job->start();
    ASSERT_TRUE(waitForJob(*job));
    EXPECT_TRUE(job->outcome().published());
    EXPECT_EQ(progress, QList<int>({ 1, 2 }));
    EXPECT_FALSE(job->isRunning());
    EXPECT_EQ(job->outcome().filesWritten, outcome.filesWritten);
    for (const char* path : { "index.html", "Math/March26.html", "Math/Mar92026/index.html", "Art/Art.ics" }) {
        QFile a(site.filePath(QString::fromLatin1(path)));
        QFile b(QDir(other.path()).filePath(QString::fromLatin1(path)));
        ASSERT_TRUE(a.open(QIODevice::ReadOnly) && b.open(QIODevice::ReadOnly)) << path;
        EXPECT_EQ(a.readAll(), b.readAll()) << path;
    }
}

TEST_F(PublishControllerTest, AJobDestroyedWhileRunningStopsCleanly)
{
    for (int place = 0; place < 10; ++place)
        fill(lessons[place], QStringLiteral("Math %1").arg(place));
    auto job = controller().makeJob();
    job->start();
    job.reset();
    SUCCEED();
}

TEST_F(PublishControllerTest, ACourseRemovedWhilePublishingIsLeftOut)
{
    fill(artLessons[0], QStringLiteral("Drawing"));
    std::unique_ptr<PublishJob> job = controller().makeJob();
    year()->removeCourse(art);
    job->start();
    ASSERT_TRUE(waitForJob(*job));
    EXPECT_TRUE(job->outcome().published());
    EXPECT_TRUE(exists(QStringLiteral("Math/index.html")));
    EXPECT_FALSE(exists(QStringLiteral("Art/Art.ics")));
}
