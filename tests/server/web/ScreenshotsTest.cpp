#include "SampleViews.h"
#include "server/web/CoursesPage.h"
#include "server/web/DayPage.h"
#include "server/web/LoginPage.h"
#include "server/web/MonthPage.h"
#include "server/web/PublicCoursePage.h"
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

PageFrame visitorInFolder()
{
    PageFrame visitor = frameInFolder(NavSection::None);
    visitor.username.reset();
    return visitor;
}

CoursePageView publicBiology()
{
    CoursePageView view { SampleViews::titles(),
        SampleViews::course(QStringLiteral("7"), QStringLiteral("Biology"), true) };
    view.course.lessons.append(SampleViews::biologyLesson());
    LessonView next = SampleViews::lesson(
        QStringLiteral("7"), QStringLiteral("Biology"), QDate(2025, 10, 15), QStringLiteral("Diffusion race"));
    next.published = true;
    next.homework = QStringLiteral("<p>Finish the lab graph.</p>");
    view.course.lessons.append(next);
    return view;
}

// Writes the stylesheet and the sample pages; returns the pages' file names.
QStringList writeSamplePages()
{
    YearView year { QDate(2025, 9, 2), QDate(2026, 6, 19), SampleViews::settings().courses };
    const QList<std::pair<QString, QString>> pages {
        { QStringLiteral("login"),
            LoginPage::render(
                { QStringLiteral("t"), QStringLiteral("mrivera"), {}, QStringLiteral("Wrong user name or password.") },
                visitorInFolder()) },
        { QStringLiteral("courses"), CoursesPage::render(year, frameInFolder(NavSection::Courses)) },
        { QStringLiteral("month"), MonthPage::render(SampleViews::october(), frameInFolder(NavSection::Month)) },
        { QStringLiteral("day"), DayPage::render(SampleViews::dayPage(), frameInFolder(NavSection::Day)) },
        { QStringLiteral("settings"),
            SettingsPage::render(SampleViews::settings(), frameInFolder(NavSection::Settings)) },
        { QStringLiteral("public"), PublicCoursePage::render(publicBiology(), visitorInFolder()) },
    };
    write(QString::fromLatin1(WebRoutes::styleSheet).mid(1), StyleSheet::css());
    QStringList names;
    for (const auto& [name, html] : pages) {
        names << QStringLiteral("server-%1.html").arg(name);
        write(names.last(), html.toUtf8());
    }
    return names;
}

} // namespace

TEST(ScreenshotsTest, SamplePagesHaveNoHtmlErrors)
{
    for (const QString& page : writeSamplePages()) {
        QProcess tidy;
        tidy.start(QStringLiteral(SEMESTRA_TIDY),
            { QStringLiteral("-q"), QStringLiteral("-e"), screenshotDir().filePath(page) });
        ASSERT_TRUE(tidy.waitForFinished(60000)) << "tidy did not finish: install it with scripts/setup.sh";
        // 1 is warnings only: tidy 5.6 does not know aria-current yet.
        EXPECT_LE(tidy.exitCode(), 1) << page.toStdString() << tidy.readAllStandardError().toStdString();
    }
}

TEST(ScreenshotsTest, SamplePagesOnADesktopAndAPhone)
{
    writeSamplePages();
    photograph(QStringLiteral("server-login.html"), QStringLiteral("server-login.png"), QStringLiteral("1280,720"));
    photograph(QStringLiteral("server-courses.html"), QStringLiteral("server-courses.png"), QStringLiteral("1280,600"));
    photograph(QStringLiteral("server-month.html"), QStringLiteral("server-month.png"), QStringLiteral("1280,1000"));
    photograph(QStringLiteral("server-day.html"), QStringLiteral("server-day.png"), QStringLiteral("1280,1900"));
    photograph(
        QStringLiteral("server-settings.html"), QStringLiteral("server-settings.png"), QStringLiteral("1280,2300"));
    photograph(QStringLiteral("server-day.html"), QStringLiteral("server-day-phone.png"), QStringLiteral("390,2400"));
    photograph(
        QStringLiteral("server-month.html"), QStringLiteral("server-month-phone.png"), QStringLiteral("390,844"));
    photograph(
        QStringLiteral("server-public.html"), QStringLiteral("server-public-phone.png"), QStringLiteral("390,1400"));
}
