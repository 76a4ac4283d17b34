#include "net/PageTitle.h"

#include <gtest/gtest.h>

namespace {

std::optional<QString> titleOf(const char* html, const char* contentType = "")
{
    return PageTitle::fromHtml(QByteArray(html), QByteArray(contentType));
}

TEST(PageTitleTest, TitleIsOneLineWithEntitiesDecoded)
{
    EXPECT_EQ(titleOf("<head><title>\n  A &amp; B &lt;C&gt;\t&#233;t&#xE9;  </title>"), QStringLiteral("A & B <C> été"));
    EXPECT_EQ(titleOf("<TITLE id=\"t\">Upper</TITLE >"), QStringLiteral("Upper"));
    EXPECT_EQ(titleOf("<title>First</title><title>Second</title>"), QStringLiteral("First"));
}

TEST(PageTitleTest, UnknownOrBrokenReferencesStayAsWritten)
{
    EXPECT_EQ(PageTitle::decodeEntities(QStringLiteral("&bogus; &amp &#0; &#xD800; &#65;")),
        QStringLiteral("&bogus; &amp &#0; &#xD800; A"));
    EXPECT_EQ(PageTitle::decodeEntities(QStringLiteral("&#x1F600;")), QString::fromUtf8("\xF0\x9F\x98\x80"));
}

TEST(PageTitleTest, PagesWithoutTitleTextHaveNoTitle)
{
    EXPECT_FALSE(titleOf("<html><body>text</body></html>").has_value());
    EXPECT_FALSE(titleOf("<title>  \n </title>").has_value());
    EXPECT_FALSE(titleOf("<title>never closed").has_value());
    EXPECT_FALSE(titleOf("<titles>x</titles>").has_value());
}

TEST(PageTitleTest, TitleKeepsAtMostTwoHundredCharacters)
{
    const QByteArray words = QByteArray("word ").repeated(100);
    const std::optional<QString> title = PageTitle::fromHtml("<title>" + words + "</title>");
    ASSERT_TRUE(title.has_value());
    EXPECT_EQ(title->size(), PageTitle::maxLength - 1); // the cut ends on a space, which goes
    EXPECT_TRUE(title->startsWith(QStringLiteral("word word")));
    // A character outside the basic plane is never cut in half.
    const QByteArray emoji = QByteArray("a").repeated(199) + "\xF0\x9F\x98\x80" + "bbb";
    const std::optional<QString> cut = PageTitle::fromHtml("<title>" + emoji + "</title>", "text/html; charset=utf-8");
    ASSERT_TRUE(cut.has_value());
    EXPECT_EQ(cut->size(), 199);
}

TEST(PageTitleTest, HeaderCharsetWinsOverMetaAndMetaOverUtf8)
{
    EXPECT_EQ(titleOf("<title>Caf\xe9</title>", "text/html; charset=ISO-8859-1"), QStringLiteral("Café"));
    EXPECT_EQ(titleOf("<meta charset=\"windows-1252\"><title>\x93q\x94</title>"), QStringLiteral("\u201Cq\u201D"));
    EXPECT_EQ(titleOf("<meta http-equiv=\"Content-Type\" content=\"text/html; charset=iso-8859-1\"><title>\xe9</title>"),
        QStringLiteral("é"));
    EXPECT_EQ(titleOf("<meta charset=\"iso-8859-1\"><title>\xc3\xa9</title>", "text/html; charset=utf-8"),
        QStringLiteral("é"));
    EXPECT_EQ(titleOf("<title>\xc3\xa9</title>"), QStringLiteral("é"));
    EXPECT_EQ(titleOf("<title>\xc3\xa9</title>", "text/html; charset=no-such-charset"), QStringLiteral("é"));
}

} // namespace
