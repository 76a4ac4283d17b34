#include "server/web/HtmlSanitizer.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QStringList>

#include <gtest/gtest.h>

namespace {

std::string clean(const char* html)
{
    return HtmlSanitizer::sanitized(QString::fromUtf8(html)).toStdString();
}

// What a browser must never find in a sanitized field, whatever its case.
void expectInert(const char* html)
{
    const QString out = HtmlSanitizer::sanitized(QString::fromUtf8(html)).toLower();
    for (const char* danger : { "<script", "<img", "<svg", "<iframe", "<object", "<style", "onerror", "onload",
             "onclick", "javascript:", "data:", "style=" }) {
        EXPECT_FALSE(out.contains(QLatin1String(danger))) << html << " gave " << out.toStdString();
    }
}

} // namespace

TEST(HtmlSanitizerTest, KeepsAllowedFormattingAndEscapesText)
{
    EXPECT_EQ(
        clean("<p>Read <b>ch. 3</b> &amp; <i>take notes</i></p>"), "<p>Read <b>ch. 3</b> &amp; <i>take notes</i></p>");
    EXPECT_EQ(clean("<ul><li>one<li>two</ul>"), "<ul><li>one<li>two</li></li></ul>");
    EXPECT_EQ(clean("<table><tbody><tr><td>a</td><th>b</th></tr></tbody></table>"),
        "<table><tbody><tr><td>a</td><th>b</th></tr></tbody></table>");
    EXPECT_EQ(clean("x<br/>y<hr>z<br>"), "x<br>y<hr>z<br>");
    EXPECT_EQ(clean("2 < 3 and 5 > 4, \"quoted\" 'too'"), "2 &lt; 3 and 5 &gt; 4, &quot;quoted&quot; &#39;too&#39;");
    EXPECT_EQ(clean("<H1>Loud</H1><Sub>low</SUB>"), "<h1>Loud</h1><sub>low</sub>");
}

TEST(HtmlSanitizerTest, StripsEveryAttributeButACheckedHref)
{
    EXPECT_EQ(clean("<p style=\"color:red\" class=x id=y onclick=\"alert(1)\">t</p>"), "<p>t</p>");
    EXPECT_EQ(clean("<a href=\"https://example.org/a?b=1&amp;c=2\" target=_blank title=t>go</a>"),
        "<a href=\"https://example.org/a?b=1&amp;c=2\" rel=\"noopener noreferrer nofollow\">go</a>");
    EXPECT_EQ(clean("<a href=mailto:teacher@school.example>mail</a>"),
        "<a href=\"mailto:teacher@school.example\" rel=\"noopener noreferrer nofollow\">mail</a>");
    EXPECT_EQ(clean("<span style=\" font-weight:700;\">bold</span>"), "<span>bold</span>");
}

TEST(HtmlSanitizerTest, RefusesScriptAddressesHoweverTheyAreSpelled)
{
    for (const char* href : { "javascript:alert(1)", "JaVaScRiPt:alert(1)", " javascript:alert(1)",
             "java\tscript:alert(1)", "java&#x09;script:alert(1)", "&#106;avascript:alert(1)",
             "&#x6A;&#x61;&#x76;&#x61;script:alert(1)", "&#0000106avascript:alert(1)", "javascript&colon;alert(1)",
             "\x01javascript:alert(1)", "vbscript:msgbox(1)", "data:text/html;base64,PHNjcmlwdD4=", "//evil.example/x",
             "/relative", "http:alert(1)", "file:///etc/passwd" }) {
        const std::string html = std::string("<a href=\"") + href + "\">x</a>";
        EXPECT_EQ(clean(html.c_str()), "<a>x</a>") << href;
    }
    EXPECT_EQ(clean("<a href='HTTPS://Example.org/'>x</a>"),
        "<a href=\"https://example.org/\" rel=\"noopener noreferrer nofollow\">x</a>");
}

TEST(HtmlSanitizerTest, DropsScriptStyleAndEmbeddedDocumentsWithTheirContent)
{
    EXPECT_EQ(clean("a<script>alert(1)</script>b"), "ab");
    EXPECT_EQ(clean("a<SCRIPT type=text/javascript>alert('</scr'+'ipt>')</SCRIPT >b"), "ab");
    // A script ends at its first end tag, as in a browser, even inside a string.
    EXPECT_EQ(clean("<script>s=\"</script><b>x</b>\";</script>"), "<b>x</b>&quot;;");
    EXPECT_EQ(clean("a<script/>alert(1)</script>b"), "ab");
    EXPECT_EQ(clean("a<style>p{color:red}</style>b"), "ab");
    EXPECT_EQ(clean("a<iframe src=x><p>inside</p></iframe>b"), "ab");
    EXPECT_EQ(clean("a<object data=x><object>n</object>still</object>b"), "ab");
    EXPECT_EQ(clean("a<svg><svg></svg><script>alert(1)</script></svg>b"), "ab");
    EXPECT_EQ(clean("a<svg/>b"), "ab");
    EXPECT_EQ(clean("a<math><mi>x</mi></math>b"), "ab");
    EXPECT_EQ(clean("<script><b>not a tag</b>"), "");
    EXPECT_EQ(clean("<textarea></textarea><b>x</b>"), "<b>x</b>");
}

TEST(HtmlSanitizerTest, DropsUnknownElementsButKeepsTheirText)
{
    EXPECT_EQ(clean("<font color=red>warm</font> <center>mid</center>"), "warm mid");
    EXPECT_EQ(clean("<img src=x onerror=alert(1)>after"), "after");
    EXPECT_EQ(clean("<form action=/x><input name=a><button>Go</button></form>"), "Go");
}

TEST(HtmlSanitizerTest, ClassicVectorsComeOutInert)
{
    for (const char* vector : { "<img src=x onerror=alert(1)>", "<IMG SRC=\"javascript:alert('XSS');\">",
             "<img src=`x`onerror=alert(1)>", "<svg onload=alert(1)>", "<svg><script>alert(1)</script>",
             "<body onload=alert(1)>", "<a href=\"javascript:alert(1)\" onmouseover=\"alert(2)\">x</a>",
             "<p onclick=\"alert(1)\" style=\"background:url(javascript:alert(1))\">x</p>",
             "<div style=\"width: expression(alert(1));\">x</div>", "<iframe src=\"data:text/html,<script>\">",
             "<a href=\"data:text/html;base64,PHNjcmlwdD5hbGVydCgxKTwvc2NyaXB0Pg==\">x</a>",
             "<<script>script>alert(1)<</script>/script>", "<scr<script>ipt>alert(1)</script>",
             "<p title=\"</p><script>alert(1)</script>\">x</p>", "<a href='x' onclick='alert(\"1\")'>x</a>",
             "<p title='a\" onclick=\"alert(1)'>x</p>", "<img/src=x/onerror=alert(1)>",
             "<details open ontoggle=alert(1)>", "<math><mtext><img src=x onerror=alert(1)></mtext></math>",
             "<noscript><p title=\"</noscript><img src=x onerror=alert(1)>\"></noscript>",
             "<meta http-equiv=\"refresh\" content=\"0;url=javascript:alert(1)\">",
             "<link rel=stylesheet href=data:,*%7bx:expression(alert(1))%7d>" }) {
        expectInert(vector);
    }
}

TEST(HtmlSanitizerTest, TextThatLooksLikeMarkupStaysText)
{
    EXPECT_EQ(clean("&lt;script&gt;alert(1)&lt;/script&gt;"), "&lt;script&gt;alert(1)&lt;/script&gt;");
    EXPECT_EQ(clean("<p title=\"</p><script>alert(1)</script>\">x</p>"), "<p>x</p>");
    EXPECT_EQ(clean("a < b <3 </ 3> c"), "a &lt; b &lt;3  c");
    EXPECT_EQ(clean("&copy; &eacute;t&eacute; &#8364; &unknown; &#xD800; &#99999999;"),
        "\u00a9 \u00e9t\u00e9 \u20ac &amp;unknown; \ufffd \ufffd");
}

TEST(HtmlSanitizerTest, CommentsDoctypesAndCdataLeaveNoMarkup)
{
    EXPECT_EQ(clean("a<!-- <script>alert(1)</script> -->b"), "ab");
    EXPECT_EQ(clean("a<!-->b<!--->c"), "abc");
    EXPECT_EQ(clean("a<!-- x --!>b"), "ab");
    EXPECT_EQ(clean("a<!-- never closed <b>x</b>"), "a");
    EXPECT_EQ(clean("<!DOCTYPE html><?xml version=\"1.0\"?>a"), "a");
    // HTML has no CDATA: the section is a bogus comment up to the first ">".
    EXPECT_EQ(clean("<![CDATA[<script>alert(1)</script>]]>"), "alert(1)]]&gt;");
}

TEST(HtmlSanitizerTest, UnclosedAndCutOffTagsAreBalancedOrDropped)
{
    EXPECT_EQ(clean("<b><i>deep"), "<b><i>deep</i></b>");
    EXPECT_EQ(clean("<b><i>x</b>y</i>"), "<b><i>x</i></b>y");
    EXPECT_EQ(clean("</div></p>text</b>"), "text");
    EXPECT_EQ(clean("ok<img src=x onerror=alert(1)"), "ok");
    EXPECT_EQ(clean("ok<a href=\"https://x.example/"), "ok");
    EXPECT_EQ(clean("ok<a href=https://x.example/>x"),
        "ok<a href=\"https://x.example/\" rel=\"noopener noreferrer nofollow\">x</a>");
}

TEST(HtmlSanitizerTest, DeepNestingKeepsTextButStopsAddingElements)
{
    QString html;
    for (int i = 0; i < HtmlSanitizer::maximumDepth + 10; ++i)
        html += QLatin1String("<div>");
    html += QLatin1String("core");
    const QString out = HtmlSanitizer::sanitized(html);
    EXPECT_EQ(out.count(QLatin1String("<div>")), HtmlSanitizer::maximumDepth);
    EXPECT_EQ(out.count(QLatin1String("</div>")), HtmlSanitizer::maximumDepth);
    EXPECT_TRUE(out.contains(QLatin1String("core")));
}

TEST(HtmlSanitizerTest, RichTextWriterOutputKeepsItsTextOnly)
{
    const char* written = "<!DOCTYPE HTML PUBLIC \"-//W3C//DTD HTML 4.0//EN\" "
                          "\"http://www.w3.org/TR/REC-html40/strict.dtd\">\n"
                          "<html><head><meta name=\"qrichtext\" content=\"1\" /><meta charset=\"utf-8\" />"
                          "<style type=\"text/css\">\np, li { white-space: pre-wrap; }\n</style></head>"
                          "<body style=\" font-family:'Helvetica';\">\n"
                          "<p style=\" margin-top:0px;\"><span style=\" font-weight:700;\">Warm-up</span>"
                          " &amp; review</p></body></html>";
    EXPECT_EQ(clean(written), "\n\n<p><span>Warm-up</span> &amp; review</p>");
}

namespace {

// Pieces that, shuffled, make the inputs tokenizers trip over.
QString randomMarkup(QRandomGenerator& random)
{
    static const QStringList pieces { QStringLiteral("<"), QStringLiteral(">"), QStringLiteral("/"),
        QStringLiteral("script"), QStringLiteral("a"), QStringLiteral("p"), QStringLiteral("b"), QStringLiteral("svg"),
        QStringLiteral("img"), QStringLiteral("style"), QStringLiteral(" href="), QStringLiteral(" onerror="),
        QStringLiteral("\""), QStringLiteral("'"), QStringLiteral("="), QStringLiteral(" "), QStringLiteral("\t"),
        QStringLiteral("javascript:"), QStringLiteral("https://x.example/"), QStringLiteral("&#"),
        QStringLiteral("x6A;"), QStringLiteral("&amp;"), QStringLiteral("<!--"), QStringLiteral("-->"),
        QStringLiteral("<![CDATA["), QStringLiteral("]]>"), QStringLiteral("text"), QStringLiteral("\n") };
    QString html;
    const int count = random.bounded(1, 40);
    for (int i = 0; i < count; ++i)
        html += pieces.at(random.bounded(int(pieces.size())));
    return html;
}

} // namespace

TEST(HtmlSanitizerTest, RandomMarkupGivesOnlyAllowedBalancedTags)
{
    static const QRegularExpression tag(QStringLiteral(
        "<(/"
        "?)(p|br|b|strong|i|em|u|ul|ol|li|a|h[1-6]|blockquote|pre|code|table|thead|tbody|tr|td|th|sub|sup|span|div|hr)"
        "( href=\"[^\"<>]*\" rel=\"noopener noreferrer nofollow\")?>"));
    QRandomGenerator random(27);
    for (int round = 0; round < 3000; ++round) {
        const QString input = randomMarkup(random);
        const QString out = HtmlSanitizer::sanitized(input);
        QStringList open;
        qsizetype at = 0;
        while ((at = out.indexOf(u'<', at)) >= 0) {
            const QRegularExpressionMatch match
                = tag.match(out, at, QRegularExpression::NormalMatch, QRegularExpression::AnchorAtOffsetMatchOption);
            ASSERT_TRUE(match.hasMatch()) << input.toStdString() << " gave " << out.toStdString();
            const QString name = match.captured(2);
            if (!match.captured(1).isEmpty()) {
                ASSERT_FALSE(open.isEmpty()) << out.toStdString();
                ASSERT_EQ(open.takeLast(), name) << out.toStdString();
            } else if (name != QLatin1String("br") && name != QLatin1String("hr")) {
                open.append(name);
            }
            at += match.capturedLength();
        }
        EXPECT_TRUE(open.isEmpty()) << out.toStdString();
        EXPECT_EQ(out.count(u'>'), out.count(u'<')) << "a \">\" outside a tag is escaped: " << out.toStdString();
    }
}

TEST(HtmlSanitizerTest, SanitizingTwiceChangesNothing)
{
    QRandomGenerator random(8);
    for (int round = 0; round < 1000; ++round) {
        const QString once = HtmlSanitizer::sanitized(randomMarkup(random));
        EXPECT_EQ(HtmlSanitizer::sanitized(once), once);
    }
    const QString link
        = HtmlSanitizer::sanitized(QStringLiteral("<a href=\"https://x.example/?a=1&b='2'\">&lt;x&gt;</a>"));
    EXPECT_EQ(HtmlSanitizer::sanitized(link), link);
}
