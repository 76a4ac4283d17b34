#include "TitleServer.h"
#include "net/PageTitleFetcher.h"
#include "net/PageTitleLookup.h"

#include <QEventLoop>
#include <QTimer>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

class PageTitleFetcherTest : public testing::Test {
protected:
    static void SetUpTestSuite() { server = new TitleServer; }
    static void TearDownTestSuite()
    {
        delete server;
        server = nullptr;
    }
    void SetUp() override { ASSERT_TRUE(server->isRunning()); }

    static std::optional<QString> fetch(const QString& path, PageTitleFetcher::Limits limits = {})
    {
        return PageTitleFetcher(limits).fetchTitle(server->url(path));
    }

    static TitleServer* server;
};

TitleServer* PageTitleFetcherTest::server = nullptr;

TEST_F(PageTitleFetcherTest, TitledPageGivesItsFirstTitleOnOneLine)
{
    EXPECT_EQ(fetch(QStringLiteral("/titled")), QStringLiteral("Fractions & Decimals \u2013 Unit 3"));
}

TEST_F(PageTitleFetcherTest, PagesWithoutTitleTextGiveNone)
{
    EXPECT_FALSE(fetch(QStringLiteral("/untitled")).has_value());
    EXPECT_FALSE(fetch(QStringLiteral("/empty-title")).has_value());
}

TEST_F(PageTitleFetcherTest, DeclaredCharsetsAreHonoured)
{
    EXPECT_EQ(fetch(QStringLiteral("/latin1")), QStringLiteral("Caf\u00e9 cr\u00e8me"));
    EXPECT_EQ(fetch(QStringLiteral("/meta-charset")), QStringLiteral("\u201CQuoted\u201D \u20AC sign"));
}

TEST_F(PageTitleFetcherTest, RedirectsAreFollowedUpToTheLimit)
{
    const std::optional<QString> titled = fetch(QStringLiteral("/titled"));
    EXPECT_EQ(fetch(QStringLiteral("/redirect-twice")), titled);
    EXPECT_FALSE(fetch(QStringLiteral("/redirect-twice"), { 1, 1024 * 1024, 10s }).has_value());
    EXPECT_FALSE(fetch(QStringLiteral("/redirect-loop")).has_value());
}

TEST_F(PageTitleFetcherTest, ErrorPagesNeverGiveTheirTitle)
{
    EXPECT_FALSE(fetch(QStringLiteral("/missing")).has_value());
    EXPECT_FALSE(fetch(QStringLiteral("/broken")).has_value());
}

TEST_F(PageTitleFetcherTest, ASlowServerRunsIntoTheTimeLimit)
{
    EXPECT_FALSE(fetch(QStringLiteral("/slow"), { 5, 1024 * 1024, 300ms }).has_value());
}

TEST_F(PageTitleFetcherTest, OnlyTheFirstMebibyteOfAHugePageIsRead)
{
    EXPECT_EQ(fetch(QStringLiteral("/huge-early")), QStringLiteral("Big page"));
    EXPECT_FALSE(fetch(QStringLiteral("/huge-late")).has_value());
    EXPECT_EQ(fetch(QStringLiteral("/long"))->size(), 199);
}

TEST_F(PageTitleFetcherTest, OtherSchemesAndUnreachableHostsGiveNone)
{
    EXPECT_FALSE(PageTitleFetcher().fetchTitle(QStringLiteral("file:///etc/hostname")).has_value());
    EXPECT_FALSE(PageTitleFetcher().fetchTitle(QStringLiteral("ftp://127.0.0.1/")).has_value());
    // Port 1 on the loopback refuses at once.
    EXPECT_FALSE(PageTitleFetcher().fetchTitle(QStringLiteral("http://127.0.0.1:1/")).has_value());
}

TEST_F(PageTitleFetcherTest, LookupReportsOnTheCallersThreadWithoutBlockingIt)
{
    PageTitleLookup lookup;
    QStringList found;
    QStringList failed;
    QEventLoop loop;
    QObject::connect(&lookup, &PageTitleLookup::found, [&](const QString& url, const QString& title) {
        found << url + QLatin1Char('=') + title;
        if (found.size() + failed.size() == 2)
            loop.quit();
    });
    QObject::connect(&lookup, &PageTitleLookup::failed, [&](const QString& url) {
        failed << url;
        if (found.size() + failed.size() == 2)
            loop.quit();
    });
    lookup.lookUp(server->url(QStringLiteral("/latin1")));
    lookup.lookUp(server->url(QStringLiteral("/missing")));
    EXPECT_TRUE(found.isEmpty() && failed.isEmpty()); // nothing arrives before the loop runs
    QTimer::singleShot(15000, &loop, &QEventLoop::quit);
    loop.exec();
    EXPECT_EQ(found, QStringList { server->url(QStringLiteral("/latin1")) + QStringLiteral("=Caf\u00e9 cr\u00e8me") });
    EXPECT_EQ(failed, QStringList { server->url(QStringLiteral("/missing")) });
}

} // namespace
