#include "SiteFixture.h"

#include <QFileInfo>

class RepublishTest : public SiteFixture { };

TEST_F(RepublishTest, PublishingTwiceWritesNothingTheSecondTime)
{
    for (int place = 0; place < 10; ++place)
        fill(lessons[place], QStringLiteral("Math %1").arg(place));
    EXPECT_FALSE(publish().isEmpty());
    EXPECT_EQ(publish(), QStringList());
    EXPECT_TRUE(outcome.published());
    EXPECT_EQ(outcome.filesWritten, 0);
    EXPECT_GT(outcome.filesUnchanged, 20);
}

TEST_F(RepublishTest, ChangingOneLessonRewritesOnlyItsPagesAndFeed)
{
    for (int place = 0; place < 10; ++place) {
        fill(lessons[place], QStringLiteral("Math %1").arg(place));
        fill(artLessons[place], QStringLiteral("Art %1").arg(place));
    }
    publish();
    lessons[6]->setValue(u"lessonTitle", QStringLiteral("Math 6, moved to the lab"));
    QStringList written = publish();
    written.sort();
    EXPECT_EQ(written,
        QStringList({ QStringLiteral("Math/Mar102026/index.html"), QStringLiteral("Math/March26.html"),
            QStringLiteral("Math/Math.ics") }));
}

TEST_F(RepublishTest, ChangingAHomeworkRewritesOnlyItsDayPageAndFeed)
{
    for (int place = 0; place < 10; ++place)
        fill(lessons[place], QStringLiteral("Math %1").arg(place));
    publish();
    lessons[2]->setValue(u"homeworkString", QStringLiteral("Page 12"));
    QStringList written = publish();
    written.sort();
    EXPECT_EQ(written, QStringList({ QStringLiteral("Math/Mar42026/index.html"), QStringLiteral("Math/Math.ics") }));
}

TEST_F(RepublishTest, AFileThatCannotBeWrittenEndsThePublishAndNamesIt)
{
    fill(lessons[0], QStringLiteral("Intro"));
    publish();
    const Date before = *math->value<std::optional<Date>>(u"latestUploadDate");
    // A folder where the day page has to go.
    QFile::remove(site.filePath(QStringLiteral("Math/Mar22026/index.html")));
    ASSERT_TRUE(QDir().mkpath(site.filePath(QStringLiteral("Math/Mar22026/index.html/x"))));
    info->setDate(u"calendarExportEndDate", days[9]->actualDate());
    lessons[0]->setValue(u"lessonTitle", QStringLiteral("Changed"));
    alerts.answerNext(AlertDefaultReturn);
    publish();
    EXPECT_EQ(outcome.result, PublishOutcome::Result::Failed);
    EXPECT_EQ(outcome.failedPath, site.filePath(QStringLiteral("Math/Mar22026/index.html")));
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, PublishController::failedTitle);
    EXPECT_TRUE(alerts.last().message.contains(site.filePath(QStringLiteral("Math/Mar22026/index.html"))));
    EXPECT_EQ(*math->value<std::optional<Date>>(u"latestUploadDate"), before);
    EXPECT_TRUE(
        QDir(site.path()).entryList(QStringList { QStringLiteral(".*.part") }, QDir::Files | QDir::Hidden).isEmpty());
}

TEST_F(RepublishTest, AFolderThatCannotBeMadeIsReported)
{
    // A file where the course's folder has to go.
    QFile blocker(site.filePath(QStringLiteral("Math")));
    ASSERT_TRUE(blocker.open(QIODevice::WriteOnly));
    blocker.close();
    alerts.answerNext(AlertDefaultReturn);
    publish();
    EXPECT_EQ(outcome.result, PublishOutcome::Result::Failed);
    EXPECT_EQ(outcome.failedPath, site.filePath(QStringLiteral("Math")));
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_TRUE(alerts.last().message.contains(site.filePath(QStringLiteral("Math"))));
}
