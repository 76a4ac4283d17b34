#include "net/TransferAddress.h"

#include <gtest/gtest.h>

namespace {

TransferAddress parsed(const QString& text)
{
    const Result<TransferAddress> address = TransferAddress::parse(text);
    EXPECT_TRUE(address.ok()) << text.toStdString() << ": " << address.error().toStdString();
    return address.ok() ? *address : TransferAddress();
}

TEST(TransferAddressTest, SchemeDecidesProtocolAndDefaultPort)
{
    EXPECT_EQ(parsed(QStringLiteral("www.school.org")).scheme(), TransferAddress::Scheme::Ftp);
    EXPECT_EQ(parsed(QStringLiteral("www.school.org")).port(), 21);
    EXPECT_EQ(parsed(QStringLiteral("FTPS://www.school.org")).scheme(), TransferAddress::Scheme::Ftps);
    EXPECT_EQ(parsed(QStringLiteral("ftps://www.school.org")).port(), 990);
    EXPECT_EQ(parsed(QStringLiteral("sftp://www.school.org")).port(), 22);
    EXPECT_EQ(parsed(QStringLiteral("sftp://www.school.org:2222")).port(), 2222);
    EXPECT_EQ(parsed(QStringLiteral("www.school.org:2121")).port(), 2121);
}

TEST(TransferAddressTest, PortZeroMeansTheSchemesOwn)
{
    TransferAddress address = parsed(QStringLiteral("sftp://www.school.org:0"));
    EXPECT_EQ(address.port(), 22);
    address.setPort(0);
    EXPECT_EQ(address.port(), 22);
    address.setPort(8022);
    EXPECT_EQ(address.port(), 8022);
}

TEST(TransferAddressTest, OtherSchemesAndEmptyHostsAreRefused)
{
    EXPECT_FALSE(TransferAddress::parse(QStringLiteral("http://www.school.org")).ok());
    EXPECT_FALSE(TransferAddress::parse(QString()).ok());
    EXPECT_FALSE(TransferAddress::parse(QStringLiteral("ftp://")).ok());
}

TEST(TransferAddressTest, RemotePathLosesOuterSlashesAndSpaces)
{
    EXPECT_EQ(TransferAddress::normalisedPath(QStringLiteral("/public html/")), QStringList { "public_html" });
    EXPECT_EQ(TransferAddress::normalisedPath(QStringLiteral("/")), QStringList());
    EXPECT_EQ(TransferAddress::normalisedPath(QStringLiteral("www//class/")), QStringList({ "www", "class" }));
    EXPECT_EQ(parsed(QStringLiteral("ftp://host/public%20html/x/")).folder(), QStringList({ "public_html", "x" }));
}

TEST(TransferAddressTest, EachNameIsPercentEncodedOnItsOwn)
{
    const TransferAddress ftp = parsed(QStringLiteral("ftp://127.0.0.1:2121"));
    EXPECT_EQ(ftp.url({ QStringLiteral("Math #1"), QStringLiteral("100% été?.html") }, false),
        "ftp://127.0.0.1:2121/Math%20%231/100%25%20%C3%A9t%C3%A9%3F.html");
    EXPECT_EQ(ftp.url({ QStringLiteral("a/b") }, true), "ftp://127.0.0.1:2121/a%2Fb/");
    EXPECT_EQ(ftp.url({}, true), "ftp://127.0.0.1:2121/");
}

TEST(TransferAddressTest, SftpPathsStayBelowTheLoginFolder)
{
    const TransferAddress sftp = parsed(QStringLiteral("sftp://[::1]"));
    EXPECT_EQ(sftp.url({ QStringLiteral("site") }, true), "sftp://[::1]:22/~/site/");
}

} // namespace
