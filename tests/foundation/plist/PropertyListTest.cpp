#include "foundation/plist/PropertyList.h"

#include "foundation/plist/PlistValue.h"

#include <QDateTime>
#include <QTemporaryDir>
#include <QTimeZone>

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

using Reader = Result<QVariant> (*)(const QByteArray&);
using Writer = QByteArray (*)(const QVariant&);

QDateTime utc(int year, int month, int day, int hour, int minute, int second)
{
    return QDateTime(QDate(year, month, day), QTime(hour, minute, second), Qt::UTC);
}

// Strings that every notation must carry: ones that need quotes or escapes,
// and ones that look like other tokens.
QVariantList trickyStrings()
{
    return { QString(), QStringLiteral("plain"), QStringLiteral("two words"), QStringLiteral("say \"hi\""),
        QStringLiteral("back\\slash"), QStringLiteral("line\nbreak\r\n"), QStringLiteral("tab\there"),
        QStringLiteral("Ünïcödé 日本 😀"), QStringLiteral("123"), QStringLiteral("-1.5e3"), QStringLiteral("a;b=c"),
        QStringLiteral("{x}(y)<z>"), QStringLiteral("//not a comment"), QStringLiteral("/*nor this*/"),
        QStringLiteral("&amp; ]]> <!--"), QStringLiteral("'single'"), QStringLiteral("<*I5>"), QStringLiteral(" ") };
}

QVariant everyType()
{
    QByteArray allBytes;
    for (int b = 0; b < 256; ++b)
        allBytes += char(b);
    const QVariantMap nested { { QStringLiteral("empty dict"), QVariantMap() },
        { QStringLiteral("empty list"), QVariantList() },
        { QStringLiteral("list of lists"),
            QVariantList { QVariantList { qint64(1) }, QVariantList { QVariantMap { { "k", QString("v") } } } } } };
    return QVariantMap {
        { QStringLiteral("strings"), trickyStrings() },
        { QStringLiteral("data"), QVariantList { QByteArray(), QByteArray("\0", 1), allBytes } },
        { QStringLiteral("dates"),
            QVariantList { utc(2001, 1, 1, 0, 0, 0), utc(1, 1, 1, 0, 0, 0), utc(9999, 12, 31, 23, 59, 59),
                utc(1969, 7, 20, 20, 17, 40) } },
        { QStringLiteral("integers"),
            QVariantList {
                qint64(0), qint64(-1), std::numeric_limits<qint64>::max(), std::numeric_limits<qint64>::min() } },
        { QStringLiteral("reals"),
            QVariantList { 0.0, 0.1, -2.5, 1.0, 1e300, 5e-324, 123456789.123456789,
                std::numeric_limits<double>::infinity(), -std::numeric_limits<double>::infinity() } },
        { QStringLiteral("booleans"), QVariantList { true, false } },
        { QStringLiteral("nested"), nested },
        { QString(), QStringLiteral("the empty key") },
    };
}

void expectRoundTrip(const QVariant& value, Writer write, Reader read)
{
    const QByteArray written = write(value);
    const auto back = read(written);
    ASSERT_TRUE(back.ok()) << back.error().toStdString() << "\n" << written.toStdString();
    EXPECT_TRUE(PlistValue::same(*back, value)) << written.toStdString();
}

} // namespace

TEST(PropertyListTest, EveryTypeRoundTripsInBothNotations)
{
    expectRoundTrip(everyType(), PropertyList::writeXml, PropertyList::readXml);
    expectRoundTrip(everyType(), PropertyList::writeText, PropertyList::readText);
    expectRoundTrip(everyType(), PropertyList::writeXml, PropertyList::read);
    expectRoundTrip(everyType(), PropertyList::writeText, PropertyList::read);
}

TEST(PropertyListTest, EveryScalarRoundTripsAsTheWholeList)
{
    for (const QVariant& leaf : trickyStrings() + QVariantList { QByteArray("x"), qint64(7), 2.5, true }) {
        expectRoundTrip(leaf, PropertyList::writeXml, PropertyList::readXml);
        expectRoundTrip(leaf, PropertyList::writeText, PropertyList::readText);
    }
}

TEST(PropertyListTest, NaNRoundTripsInBothNotations)
{
    const QVariant nan = std::numeric_limits<double>::quiet_NaN();
    for (const QByteArray& written : { PropertyList::writeXml(nan), PropertyList::writeText(nan) }) {
        const auto back = PropertyList::read(written);
        ASSERT_TRUE(back.ok());
        EXPECT_EQ(back->typeId(), QMetaType::Double);
        EXPECT_TRUE(std::isnan(back->toDouble()));
    }
}

TEST(PropertyListTest, CharactersXmlCannotCarrySurviveOnlyInText)
{
    const QString awkward = QStringLiteral("a\x01") + QChar(0xD800) + u'b' + QChar(0xFFFE);
    expectRoundTrip(awkward, PropertyList::writeText, PropertyList::readText);

    const auto viaXml = PropertyList::readXml(PropertyList::writeXml(awkward));
    ASSERT_TRUE(viaXml.ok()) << viaXml.error().toStdString();
    EXPECT_EQ(viaXml->toString(), QStringLiteral("a\uFFFD\uFFFDb\uFFFD"));
}

TEST(PropertyListTest, WritesXmlInTheCommonTabIndentedFormWithSortedKeys)
{
    const QVariantMap value { { "zeta", true }, { "alpha", QVariantList { qint64(1), QString("a<&>b") } },
        { "empty", QVariantMap() }, { "when", utc(2024, 2, 29, 13, 5, 9) }, { "bytes", QByteArray("hello") } };
    EXPECT_EQ(PropertyList::writeXml(value).toStdString(),
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" \"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
        "<plist version=\"1.0\">\n"
        "<dict>\n"
        "\t<key>alpha</key>\n"
        "\t<array>\n"
        "\t\t<integer>1</integer>\n"
        "\t\t<string>a&lt;&amp;&gt;b</string>\n"
        "\t</array>\n"
        "\t<key>bytes</key>\n"
        "\t<data>\n"
        "\taGVsbG8=\n"
        "\t</data>\n"
        "\t<key>empty</key>\n"
        "\t<dict/>\n"
        "\t<key>when</key>\n"
        "\t<date>2024-02-29T13:05:09Z</date>\n"
        "\t<key>zeta</key>\n"
        "\t<true/>\n"
        "</dict>\n"
        "</plist>\n");
}

TEST(PropertyListTest, WritesTextQuotingOnlyStringsThatNeedIt)
{
    const QVariantMap value { { "name", QString("Algebra_1.2/b:$+-") }, { "two words", QString("") },
        { "list", QVariantList { QString("x"), QString("y\"z"), qint64(-3), 0.5, false } },
        { "raw", QByteArray("\x01\x02\x03\x04\x05", 5) }, { "café", utc(2001, 1, 1, 0, 0, 0) } };
    EXPECT_EQ(PropertyList::writeText(value).toStdString(),
        "{\n"
        "\t\"café\" = <*D2001-01-01 00:00:00 +0000>;\n"
        "\tlist = (\n"
        "\t\tx,\n"
        "\t\t\"y\\\"z\",\n"
        "\t\t<*I-3>,\n"
        "\t\t<*R0.5>,\n"
        "\t\t<*BN>\n"
        "\t);\n"
        "\tname = Algebra_1.2/b:$+-;\n"
        "\traw = <01020304 05>;\n"
        "\t\"two words\" = \"\";\n"
        "}\n");
}

TEST(PropertyListTest, WritersNormaliseOtherQVariantTypes)
{
    const QDateTime newYork(QDate(2024, 7, 4), QTime(12, 0, 0, 750), QTimeZone("America/New_York"));
    const QVariantHash hash { { "n", 5 }, { "u", quint64(std::numeric_limits<quint64>::max()) } };
    const QVariantList value { QVariant(), QStringList { "a", "b" }, hash, float(0.25), newYork };
    const QVariantList expected { QString(), QVariantList { QString("a"), QString("b") },
        QVariantMap { { "n", qint64(5) }, { "u", 18446744073709551615.0 } }, 0.25, utc(2024, 7, 4, 16, 0, 0) };
    for (const auto& back : { PropertyList::readXml(PropertyList::writeXml(value)),
             PropertyList::readText(PropertyList::writeText(value)) }) {
        ASSERT_TRUE(back.ok()) << back.error().toStdString();
        EXPECT_TRUE(PlistValue::same(*back, expected));
        EXPECT_EQ(back->toList().at(4).toDateTime().timeSpec(), Qt::UTC);
    }
}

TEST(PropertyListTest, ReadsATypicalXmlFile)
{
    const QByteArray xml = "\xEF\xBB\xBF<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
                           "<!DOCTYPE plist PUBLIC \"-//Apple//DTD PLIST 1.0//EN\" "
                           "\"http://www.apple.com/DTDs/PropertyList-1.0.dtd\">\n"
                           "<!-- written by hand -->\n"
                           "<plist version=\"1.0\">\n"
                           "<dict>\n"
                           "  <key>Name</key> <string>Tom &amp; Jerry</string>\n"
                           "  <key>Script</key><string><![CDATA[if (a < b) {}]]></string>\n"
                           "  <key>Blob</key><data>\n    AAEC\n    AwQ=\n  </data>\n"
                           "  <key>Count</key><integer> -42 </integer>\n"
                           "  <key>Ratio</key><real>2.5E-3</real>\n"
                           "  <key>Flag</key><false/>\n"
                           "  <key>Empty</key><string/>\n"
                           "  <key>When</key><date>2012-12-21T11:11:00Z</date>\n"
                           "  <key>Items</key><array><true></true><array/></array>\n"
                           "</dict>\n"
                           "</plist>\n";
    const QVariantMap expected { { "Name", QString("Tom & Jerry") }, { "Script", QString("if (a < b) {}") },
        { "Blob", QByteArray("\0\1\2\3\4", 5) }, { "Count", qint64(-42) }, { "Ratio", 0.0025 }, { "Flag", false },
        { "Empty", QString("") }, { "When", utc(2012, 12, 21, 11, 11, 0) },
        { "Items", QVariantList { true, QVariantList() } } };
    const auto value = PropertyList::read(xml);
    ASSERT_TRUE(value.ok()) << value.error().toStdString();
    EXPECT_TRUE(PlistValue::same(*value, expected));
}

TEST(PropertyListTest, ReadsTypicalHandWrittenOldStyleText)
{
    const QByteArray text = "// Settings for the planner\n"
                            "{\n"
                            "    Title = \"Lesson \\\"One\\\"\\n\\tIndented \\U00e9\\101\";\n"
                            "    /* a block\n       comment */ Path = /usr/local/share;\n"
                            "    'Quoted Key' = 'single';\n"
                            "    Numbers = (1, 2.5, -3,);\n"
                            "    Bytes = < 0fBD 77 78 >;\n"
                            "    Typed = (<*I-12>, <*R1.5>, <*BY>, <*BN>, <*D2001-01-01 01:30:00 +0130>);\n"
                            "    Empty = { };\n"
                            "    \"Café\" = \"ü\";\n"
                            "}\n";
    const QVariantMap expected { { "Title", QString("Lesson \"One\"\n\tIndented \u00e9A") },
        { "Path", QString("/usr/local/share") }, { "Quoted Key", QString("single") },
        { "Numbers", QVariantList { QString("1"), QString("2.5"), QString("-3") } },
        { "Bytes", QByteArray("\x0f\xbd\x77\x78") },
        { "Typed", QVariantList { qint64(-12), 1.5, true, false, utc(2001, 1, 1, 0, 0, 0) } },
        { "Empty", QVariantMap() }, { QString("Café"), QString("ü") } };
    const auto value = PropertyList::read(text);
    ASSERT_TRUE(value.ok()) << value.error().toStdString();
    EXPECT_TRUE(PlistValue::same(*value, expected));
}

TEST(PropertyListTest, ReadsATopLevelDictionaryWithoutBraces)
{
    const auto value = PropertyList::readText("a = 1; \"b c\" = (x); // done\n");
    ASSERT_TRUE(value.ok()) << value.error().toStdString();
    EXPECT_TRUE(PlistValue::same(*value, QVariantMap { { "a", QString("1") }, { "b c", QVariantList { "x" } } }));
    EXPECT_FALSE(PropertyList::readText("a = 1; b").ok());
}

TEST(PropertyListTest, DetectsTheNotationFromTheFirstCharacters)
{
    EXPECT_EQ(PropertyList::read("  <plist><integer>3</integer></plist>")->typeId(), QMetaType::LongLong);
    EXPECT_EQ(PropertyList::read("<abcd>")->typeId(), QMetaType::QByteArray);
    EXPECT_EQ(PropertyList::read("<*I3>")->typeId(), QMetaType::LongLong);
    EXPECT_EQ(PropertyList::read("\n  word  \n")->toString(), QStringLiteral("word"));
    EXPECT_TRUE(PropertyList::read("bplist00\xd1\x01\x02").error().contains(QStringLiteral("binary")));
}

TEST(PropertyListTest, WritesFilesAtomicallyAndReadsThemBack)
{
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("library.plist"));
    ASSERT_TRUE(PropertyList::writeXmlFile(path, everyType()).ok());
    const auto back = PropertyList::readFile(path);
    ASSERT_TRUE(back.ok()) << back.error().toStdString();
    EXPECT_TRUE(PlistValue::same(*back, everyType()));

    EXPECT_FALSE(PropertyList::writeXmlFile(dir.filePath(QStringLiteral("missing/x.plist")), QVariant()).ok());
    EXPECT_TRUE(PropertyList::readFile(dir.filePath(QStringLiteral("none.plist"))).error().contains(u"none.plist"));
}

namespace {

void expectFailure(Reader read, const QByteArray& input)
{
    const auto result = read(input);
    EXPECT_FALSE(result.ok()) << "accepted: " << input.toStdString();
    EXPECT_FALSE(result.ok() || result.error().isEmpty());
}

QByteArray inPlist(const QByteArray& body)
{
    return "<?xml version=\"1.0\"?><plist version=\"1.0\">" + body + "</plist>";
}

// Containers nested depth deep, the innermost one empty.
QByteArray nested(int depth, const QByteArray& open, const QByteArray& innermost, const QByteArray& close)
{
    return open.repeated(depth - 1) + innermost + close.repeated(depth - 1);
}

} // namespace

TEST(PropertyListTest, RejectsEveryTruncationOfADocument)
{
    const QByteArray xml = PropertyList::writeXml(everyType());
    const qsizetype xmlEnd = xml.lastIndexOf("</plist>") + qsizetype(strlen("</plist>"));
    for (qsizetype length = 0; length < xmlEnd; ++length)
        expectFailure(PropertyList::readXml, xml.first(length));

    const QByteArray text = PropertyList::writeText(everyType());
    for (qsizetype length = 0; length < text.lastIndexOf('}'); ++length)
        expectFailure(PropertyList::readText, text.first(length));
}

TEST(PropertyListTest, RejectsWrongNesting)
{
    for (const char* body : { "<dict></array>", "<array><string>a</array></string>", "<dict><key>a</key></dict>",
             "<dict><string>a</string></dict>", "<dict><key>a</key><key>b</key></dict>", "<string><string/></string>",
             "<key>a</key>" })
        expectFailure(PropertyList::readXml, inPlist(body));
    for (const char* text : { "{ a = (1; }", "( a }", "{ a = 1 }", "{ = 1; }", "(a b)", "{ a b; }", "{ (a) = b; }",
             "{ a = 1;; }", "(,)", "((a)", "{ a = 1; } }" })
        expectFailure(PropertyList::readText, text);
}

TEST(PropertyListTest, RejectsUnknownElementsAndStrayContentInXml)
{
    for (const char* body : { "<foo/>", "<dict>text</dict>", "<string>a</string><string>b</string>", "",
             "<true>yes</true>", "<array>&undeclared;</array>" })
        expectFailure(PropertyList::readXml, inPlist(body));
    expectFailure(PropertyList::readXml, "<?xml version=\"1.0\"?><dict/>");
    expectFailure(PropertyList::readXml, inPlist("<true/>") + "<false/>");
    expectFailure(PropertyList::readXml, inPlist("<true/>") + "tail");
}

TEST(PropertyListTest, RejectsBadDataInBothNotations)
{
    for (const char* body : { "<data>AB$=</data>", "<data>QU=I</data>", "<data>Q\xc3\xa9JD</data>" })
        expectFailure(PropertyList::readXml, inPlist(body));
    for (const char* text : { "<0g>", "<abc>", "<ab", "<a b c>" })
        expectFailure(PropertyList::readText, text);
}

TEST(PropertyListTest, RejectsBadScalarsInBothNotations)
{
    for (const char* body :
        { "<date>2001-13-01T00:00:00Z</date>", "<date>yesterday</date>", "<integer>9223372036854775808</integer>",
            "<integer>12abc</integer>", "<integer/>", "<real>abc</real>", "<real>1e400</real>" })
        expectFailure(PropertyList::readXml, inPlist(body));
    for (const char* text : { "<*D2001-02-30 00:00:00 +0000>", "<*D2001-01-01T00:00:00Z>", "<*I-9223372036854775809>",
             "<*I1x>", "<*Rx>", "<*BX>", "<*By>", "<*Q1>", "<*>" })
        expectFailure(PropertyList::readText, text);
}

TEST(PropertyListTest, RejectsGarbageAndUnterminatedTokensInText)
{
    for (const char* text : { "", "  \n ", "}", ")", ";", "=", "\"abc", "'abc\"", "abc /* open", "{ a = 1; } /*",
             "<*I12", "a = ", "#", "{ a = \x01; }", "\xff\xfe\x00garbage" })
        expectFailure(PropertyList::readText, text);
    EXPECT_TRUE(PropertyList::readText("\"\xe2\x82\"").error().contains(u"UTF-8"));
}

TEST(PropertyListTest, RefusesNestingBeyondTheLimit)
{
    const int limit = PropertyList::maximumDepth;
    const auto xmlArrays = [](int depth) { return inPlist(nested(depth, "<array>", "<array/>", "</array>")); };
    const auto xmlDicts = [](int depth) { return inPlist(nested(depth, "<dict><key>a</key>", "<dict/>", "</dict>")); };
    const auto textArrays = [](int depth) { return nested(depth, "(", "()", ")"); };
    const auto textDicts = [](int depth) { return nested(depth, "{a=", "{}", ";}"); };

    EXPECT_TRUE(PropertyList::readXml(xmlArrays(limit)).ok());
    EXPECT_TRUE(PropertyList::readXml(xmlDicts(limit)).ok());
    EXPECT_TRUE(PropertyList::readText(textArrays(limit)).ok());
    EXPECT_TRUE(PropertyList::readText(textDicts(limit)).ok());
    for (const int depth : { limit + 1, 100000 }) {
        expectFailure(PropertyList::readXml, xmlArrays(depth));
        expectFailure(PropertyList::readXml, xmlDicts(depth));
        expectFailure(PropertyList::readText, textArrays(depth));
        expectFailure(PropertyList::readText, textDicts(depth));
    }
}

TEST(PropertyListTest, RefusesEntityDeclarations)
{
    const QByteArray laughs = "<?xml version=\"1.0\"?>\n"
                              "<!DOCTYPE plist [\n"
                              "<!ENTITY a \"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa\">\n"
                              "<!ENTITY b \"&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;&a;\">\n"
                              "<!ENTITY c \"&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;&b;\">\n"
                              "]>\n"
                              "<plist><string>&c;</string></plist>";
    const auto result = PropertyList::readXml(laughs);
    ASSERT_FALSE(result.ok());
    EXPECT_TRUE(result.error().contains(u"entities"));
}

TEST(PropertyListTest, ErrorsNameTheLine)
{
    EXPECT_TRUE(PropertyList::readText("{\n  a = 1;\n  b = (;\n}").error().startsWith(u"line 3:"))
        << PropertyList::readText("{\n  a = 1;\n  b = (;\n}").error().toStdString();
    EXPECT_TRUE(PropertyList::readText("{\n  a = \"open;\n}").error().startsWith(u"line 2:"));
    EXPECT_TRUE(PropertyList::readXml("<plist>\n<dict>\n<key>a</key>\n<integer>x</integer>\n</dict></plist>")
                    .error()
                    .startsWith(u"line 4:"));
}
