#include "cli/DemoYearFiller.h"
#include "model/Course.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "publish/PublishController.h"
#include "store/ObjectContext.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QDir>
#include <QDirIterator>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>
#include <libical/ical.h>

// The demo year's whole site, checked with the tools a web developer would
// use: tidy for the markup, libical for the feeds, and a real browser
// (headless Chromium) for pictures a person looks at, on a desktop and on a
// phone, in two themes.
namespace {

QStringList filesUnder(const QString& root, const QString& pattern)
{
    QStringList found;
    QDirIterator it(root, { pattern }, QDir::Files, QDirIterator::Subdirectories);
    while (it.hasNext())
        found.append(it.next());
    found.sort();
    return found;
}

class PublishedDemoSite {
public:
    explicit PublishedDemoSite(const QString& theme)
    {
        ScriptedAlertPresenter alerts;
        ScriptedFileChooser files;
        Year* year = DemoYearFiller::buildYear(*m_context, alerts, 1);
        EXPECT_NE(year, nullptr);
        PublishController controller(*year, alerts, files);
        controller.setTheme(theme);
        controller.setRanges(year->startDate(), year->endDate());
        EXPECT_TRUE(controller.publishNow(m_folder.path()).published());
    }
    QString path(const QString& relative = {}) const
    {
        return relative.isEmpty() ? m_folder.path() : m_folder.filePath(relative);
    }

private:
    TemporaryPreferences m_preferences;
    std::unique_ptr<ObjectContext> m_context = SemestraRecords::newContext();
    QTemporaryDir m_folder;
};

} // namespace

TEST(SiteChecksTest, EveryPageOfTheDemoYearPassesTidy)
{
    const PublishedDemoSite site(QStringLiteral("Default"));
    const QStringList pages = filesUnder(site.path(), QStringLiteral("*.html"));
    ASSERT_GT(pages.size(), 1000);
    constexpr qsizetype batch = 200;
    for (qsizetype first = 0; first < pages.size(); first += batch) {
        QProcess tidy;
        tidy.start(QStringLiteral(SEMESTRA_TIDY),
            QStringList { QStringLiteral("-errors"), QStringLiteral("-quiet") } + pages.mid(first, batch));
        ASSERT_TRUE(tidy.waitForFinished(120000)) << "tidy did not run: install it with scripts/setup.sh";
        // tidy exits with 1 for warnings only and 2 for errors.
        EXPECT_LT(tidy.exitCode(), 2) << tidy.readAllStandardError().toStdString();
        EXPECT_EQ(tidy.readAllStandardError().trimmed(), QByteArray());
    }
}

TEST(SiteChecksTest, EveryFeedOfTheDemoYearParses)
{
    const PublishedDemoSite site(QStringLiteral("Default"));
    const QStringList feeds = filesUnder(site.path(), QStringLiteral("*.ics"));
    ASSERT_EQ(feeds.size(), 6);
    for (const QString& path : feeds) {
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::ReadOnly));
        icalcomponent* calendar = icalparser_parse_string(file.readAll().constData());
        ASSERT_NE(calendar, nullptr) << path.toStdString();
        EXPECT_GT(icalcomponent_count_components(calendar, ICAL_VEVENT_COMPONENT), 150) << path.toStdString();
        EXPECT_EQ(icalcomponent_count_errors(calendar), 0) << path.toStdString();
        icalcomponent_free(calendar);
    }
}

// Written to build/screenshots for a person to look at.
TEST(SiteChecksTest, ScreenshotsOfTwoThemesOnADesktopAndAPhone)
{
    QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR));
    for (const QString& theme : { QStringLiteral("Default"), QStringLiteral("Blackboard") }) {
        const PublishedDemoSite site(theme);
        const QList<std::pair<QString, QString>> pages { { QStringLiteral("top"), QStringLiteral("index.html") },
            { QStringLiteral("month"), QStringLiteral("Biology/October25.html") },
            { QStringLiteral("day"), QStringLiteral("Biology/Oct142025/index.html") } };
        for (const auto& [name, page] : pages) {
            ASSERT_TRUE(QFileInfo::exists(site.path(page))) << page.toStdString();
            for (const auto& [device, size] : { std::pair(QStringLiteral("desktop"), QStringLiteral("1280,900")),
                     std::pair(QStringLiteral("phone"), QStringLiteral("390,844")) }) {
                const QString shot = QDir(QStringLiteral(SEMESTRA_SCREENSHOT_DIR))
                                         .filePath(QStringLiteral("site-%1-%2-%3.png")
                                                       .arg(QString(theme).replace(u' ', u'_'), name, device));
                QFile::remove(shot);
                QTemporaryDir profile;
                QProcess chromium;
                chromium.start(QStringLiteral(SEMESTRA_CHROMIUM),
                    { QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
                        QStringLiteral("--disable-quic"), QStringLiteral("--no-first-run"),
                        QStringLiteral("--disable-background-networking"), QStringLiteral("--disable-component-update"),
                        QStringLiteral("--disable-sync"), QStringLiteral("--hide-scrollbars"),
                        QStringLiteral("--user-data-dir=") + profile.path(), QStringLiteral("--screenshot=") + shot,
                        QStringLiteral("--window-size=") + size, QUrl::fromLocalFile(site.path(page)).toString() });
                ASSERT_TRUE(chromium.waitForFinished(120000))
                    << "chromium did not run: install it with scripts/setup.sh";
                EXPECT_GT(QFileInfo(shot).size(), 10000) << shot.toStdString();
            }
        }
    }
}
