#include "server/web/PageFrame.h"
#include "server/web/SafeUrl.h"
#include "server/web/WebFormat.h"
#include "server/web/WebRoutes.h"

#include <gtest/gtest.h>

TEST(WebPartsTest, RoutesEncodeIdsAsOneSegment)
{
    EXPECT_EQ(WebRoutes::course(QStringLiteral("12")), QStringLiteral("/plan/courses/12"));
    EXPECT_EQ(WebRoutes::course(QStringLiteral("../admin?x#y")), QStringLiteral("/plan/courses/..%2Fadmin%3Fx%23y"));
    EXPECT_EQ(WebRoutes::month(QDate(2025, 10, 31)), QStringLiteral("/plan/month/2025-10"));
    EXPECT_EQ(WebRoutes::day(QDate(2026, 2, 3)), QStringLiteral("/plan/day/2026-02-03"));
    const FileView lessonFile { QStringLiteral("5"), {}, 0, true, FileOwner::Lesson };
    const FileView assignmentFile { QStringLiteral("6"), {}, 0, true, FileOwner::Assignment };
    EXPECT_EQ(WebRoutes::file(lessonFile), QStringLiteral("/plan/attachfiles/5"));
    EXPECT_EQ(WebRoutes::publicFile(QStringLiteral("t/k"), assignmentFile),
        QStringLiteral("/public/t%2Fk/assignment_attachfiles/6"));
    EXPECT_EQ(WebRoutes::revokeDesktopSession(QStringLiteral("s 1")),
        QStringLiteral("/settings/desktop-sessions/s%201/revoke"));
}

TEST(WebPartsTest, LinksKeepTheBasePathOfTheServiceAddress)
{
    PageFrame frame;
    for (const auto& [base, expected] :
        { std::pair("http://127.0.0.1:8080", "/settings"), std::pair("http://127.0.0.1:8080/", "/settings"),
            std::pair("https://s.example/connect/", "/connect/settings"),
            std::pair("https://s.example/a%20b", "/a%20b/settings") }) {
        frame.baseUrl = QString::fromLatin1(base);
        EXPECT_EQ(frame.href(QStringLiteral("/settings")), QString::fromLatin1(expected)) << base;
    }
    frame.baseUrl = QStringLiteral("https://s.example/connect/");
    EXPECT_EQ(frame.absoluteUrl(QStringLiteral("/public/t")), QStringLiteral("https://s.example/connect/public/t"));
}

TEST(WebPartsTest, SafeUrlAcceptsWebAndMailAddressesOnly)
{
    EXPECT_EQ(
        SafeUrl::linkHref(QStringLiteral(" https://example.org/a b\n")), QStringLiteral("https://example.org/a%20b"));
    EXPECT_EQ(SafeUrl::linkHref(QStringLiteral("http://example.org/\"><script>")),
        QStringLiteral("http://example.org/%22%3E%3Cscript%3E"));
    EXPECT_EQ(SafeUrl::linkHref(QStringLiteral("mailto:a@b.example")), QStringLiteral("mailto:a@b.example"));
    for (const char* refused : { "", "mailto:", "https://", "http:///path", "ftp://example.org/", "about:blank",
             "javascript://example.org/%0Aalert(1)", "example.org" }) {
        EXPECT_FALSE(SafeUrl::linkHref(QString::fromLatin1(refused))) << refused;
    }
}

TEST(WebPartsTest, FileSizesRoundAtEachUnit)
{
    EXPECT_EQ(WebFormat::fileSize(0), QStringLiteral("0 bytes"));
    EXPECT_EQ(WebFormat::fileSize(1023), QStringLiteral("1023 bytes"));
    EXPECT_EQ(WebFormat::fileSize(1024), QStringLiteral("1 KB"));
    EXPECT_EQ(WebFormat::fileSize(1024 * 1024 - 1), QStringLiteral("1024 KB"));
    EXPECT_EQ(WebFormat::fileSize(1024 * 1024), QStringLiteral("1.0 MB"));
    EXPECT_EQ(WebFormat::fileSize(20 * 1024 * 1024), QStringLiteral("20.0 MB"));
}

TEST(WebPartsTest, TimeRangesShowWhatIsKnown)
{
    EXPECT_EQ(WebFormat::timeRange(QTime(), QTime(9, 0)), QString());
    EXPECT_EQ(WebFormat::timeRange(QTime(0, 30), QTime()), QStringLiteral("12:30 AM"));
    EXPECT_EQ(WebFormat::timeRange(QTime(13, 5), QTime(13, 55)), QStringLiteral("1:05 PM \u2013 1:55 PM"));
}
