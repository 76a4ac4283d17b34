#include "publish/HtmlText.h"

#include <gtest/gtest.h>

using namespace HtmlText;

TEST(HtmlTextTest, EscapedTextCannotOpenATagOrLeaveAnAttribute)
{
    EXPECT_EQ(
        escaped(QStringLiteral("<script>alert(1)</script>")), QStringLiteral("&lt;script&gt;alert(1)&lt;/script&gt;"));
    EXPECT_EQ(
        escaped(QStringLiteral("a\" onmouseover='x' & b")), QStringLiteral("a&quot; onmouseover=&#39;x&#39; &amp; b"));
}

TEST(HtmlTextTest, EscapedLinesDropIndentsAndEmptyLines)
{
    EXPECT_EQ(
        escapedLines(QStringLiteral("  first\n\n\t<second>\n   \n")), QStringLiteral("first<br>&lt;second&gt;<br>"));
    EXPECT_EQ(escapedLines(QStringLiteral("one\u2028two")), QStringLiteral("one<br>two<br>"));
    EXPECT_EQ(escapedLines(QString()), QString());
}

TEST(HtmlTextTest, LatinOneBecomesEntitiesAndEverythingElseStaysAsItIs)
{
    EXPECT_EQ(encodeCharacterEntities(QStringLiteral("caf\u00e9 \u00a0\u00ff\u00c0")),
        QStringLiteral("caf&eacute; &nbsp;&yuml;&Agrave;"));
    EXPECT_EQ(encodeCharacterEntities(QStringLiteral("\u2022 item")), QStringLiteral("&#8226; item"));
    const QString beyond = QStringLiteral("Ελληνικά Русский 中文 \U0001F600 \u0100");
    EXPECT_EQ(encodeCharacterEntities(beyond), beyond);
}

TEST(HtmlTextTest, OnlyWebAndMailAddressesBecomeLinks)
{
    EXPECT_EQ(linkHref(QStringLiteral("https://example.org/a?b=1&c=2")),
        std::optional(QStringLiteral("https://example.org/a?b=1&amp;c=2")));
    EXPECT_TRUE(linkHref(QStringLiteral("http://example.org")));
    EXPECT_TRUE(linkHref(QStringLiteral("ftp://files.example.org/x")));
    EXPECT_TRUE(linkHref(QStringLiteral("mailto:teacher@example.org")));
    for (const char* bad : { "javascript:alert(1)", " JavaScript:alert(1)", "data:text/html,<script>alert(1)</script>",
             "vbscript:x", "file:///etc/passwd", "example.org", "" })
        EXPECT_FALSE(linkHref(QString::fromLatin1(bad))) << bad;
}

TEST(HtmlTextTest, AddressAttributesCannotBeBrokenOutOf)
{
    const std::optional<QString> href = linkHref(QStringLiteral("https://example.org/\"><script>x</script>"));
    ASSERT_TRUE(href);
    EXPECT_FALSE(href->contains(u'"'));
    EXPECT_FALSE(href->contains(u'<'));
}

TEST(HtmlTextTest, PathSegmentsAreEncodedOneByOne)
{
    EXPECT_EQ(pathHref({ QStringLiteral("Blue Box"), QStringLiteral("a/b?c#d"), QStringLiteral("caf\u00e9.html") }),
        QStringLiteral("Blue%20Box/a%2Fb%3Fc%23d/caf%C3%A9.html"));
}
