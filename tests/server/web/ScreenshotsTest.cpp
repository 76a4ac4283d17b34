#include "SampleViews.h"
#include "server/web/DayPage.h"
#include "server/web/LoginPage.h"
#include "server/web/MonthPage.h"
#include "server/web/SettingsPage.h"
#include "server/web/StyleSheet.h"
#include "server/web/WebRoutes.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QTemporaryDir>
#include <QUrl>

#include <gtest/gtest.h>

// Sample pages written to build/screenshots and photographed by headless
// Chromium, for a person to look at: the pages must read well on a desktop
// and on a phone, which no assertion on their text can tell.
namespace {

QDir screenshotDir()
{
    QDir dir(QStringLiteral(SEMESTRA_SCREENSHOT_DIR));
    dir.mkpath(QStringLiteral("."));
    return dir;
}

// Links resolve inside the folder, so the stylesheet loads from a file.
PageFrame frameInFolder(NavSection section)
{
    PageFrame frame = SampleViews::teacherFrame(section);
    frame.baseUrl = QUrl::fromLocalFile(screenshotDir().absolutePath()).toString();
    return frame;
}

void write(const QString& name, const QByteArray& contents)
{
    QSaveFile file(screenshotDir().filePath(name));
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(contents);
    ASSERT_TRUE(file.commit()) << name.toStdString();
}

void photograph(const QString& page, const QString& shot, const QString& size)
{
    const QString png = screenshotDir().filePath(shot);
    QFile::remove(png);
    QTemporaryDir profile;
    QProcess chromium;
    chromium.start(QStringLiteral(SEMESTRA_CHROMIUM),
        { QStringLiteral("--headless"), QStringLiteral("--no-sandbox"), QStringLiteral("--disable-gpu"),
            QStringLiteral("--no-first-run"), QStringLiteral("--disable-background-networking"),
            QStringLiteral("--disable-component-update"), QStringLiteral("--disable-sync"),
            QStringLiteral("--hide-scrollbars"), QStringLiteral("--user-data-dir=") + profile.path(),
            QStringLiteral("--screenshot=") + png, QStringLiteral("--window-size=") + size,
            QUrl::fromLocalFile(screenshotDir().filePath(page)).toString() });
    ASSERT_TRUE(chromium.waitForFinished(120000)) << "chromium did not finish: install it with scripts/setup.sh";
    EXPECT_GT(QFileInfo(png).size(), 10000) << png.toStdString();
}

} // namespace

TEST(ScreenshotsTest, SamplePagesOnADesktopAndAPhone)
{
    PageFrame visitor = frameInFolder(NavSection::None);
    visitor.username.reset();
    const QList<std::pair<QString, QString>> pages {
        { QStringLiteral("login"),
            LoginPage::render(
                { QStringLiteral("t"), QStringLiteral("mrivera"), {}, QStringLiteral("Wrong user name or password.") },
                visitor) },
        { QStringLiteral("month"), MonthPage::render(SampleViews::october(), frameInFolder(NavSection::Month)) },
        { QStringLiteral("day"), DayPage::render(SampleViews::dayPage(), frameInFolder(NavSection::Day)) },
        { QStringLiteral("settings"),
            SettingsPage::render(SampleViews::settings(), frameInFolder(NavSection::Settings)) },
    };
    write(QString::fromLatin1(WebRoutes::styleSheet).mid(1), StyleSheet::css());
    for (const auto& [name, html] : pages)
        write(QStringLiteral("server-%1.html").arg(name), html.toUtf8());

    photograph(QStringLiteral("server-login.html"), QStringLiteral("server-login.png"), QStringLiteral("1280,720"));
    photograph(QStringLiteral("server-month.html"), QStringLiteral("server-month.png"), QStringLiteral("1280,1000"));
    photograph(QStringLiteral("server-day.html"), QStringLiteral("server-day.png"), QStringLiteral("1280,1900"));
    photograph(
        QStringLiteral("server-settings.html"), QStringLiteral("server-settings.png"), QStringLiteral("1280,2300"));
    photograph(QStringLiteral("server-day.html"), QStringLiteral("server-day-phone.png"), QStringLiteral("390,2400"));
    photograph(
        QStringLiteral("server-month.html"), QStringLiteral("server-month-phone.png"), QStringLiteral("390,844"));
}
