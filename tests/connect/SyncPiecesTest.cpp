#include "connect/MultipartForm.h"
#include "connect/ServiceAddress.h"
#include "connect/SyncReplies.h"
#include "connect/SyncText.h"
#include "connect/UploadProgress.h"
#include "testlib/LocalDate.h"

#include <gtest/gtest.h>

TEST(SyncTextTest, EscapesMarkupCharactersAndNothingElse)
{
    EXPECT_EQ(SyncText::escape(QStringLiteral("Fish & Chips <2>")), QStringLiteral("Fish &amp; Chips &lt;2&gt;"));
    EXPECT_EQ(SyncText::escape(QStringLiteral("\"it's\" é")), QStringLiteral("\"it's\" é"));
    EXPECT_EQ(SyncText::escape(QString()), QString());
}

TEST(SyncTextTest, DropsCharactersXmlForbidsButKeepsTabsLineBreaksAndEmoji)
{
    const QString text = QStringLiteral("a\x01\x0b"
                                        "b\tc\nd")
        + QChar(0xFFFE) + QChar(0xD800) + QStringLiteral("e 😀");
    EXPECT_EQ(SyncText::escape(text), QStringLiteral("ab\tc\nde 😀"));
}

TEST(SyncTextTest, MidnightHourIsWrittenAsTwentyFour)
{
    const Date halfPastMidnight = local(2025, 9, 9, 0, 30);
    EXPECT_TRUE(SyncText::lessonTime(halfPastMidnight).startsWith(QLatin1String("2025-09-09 24:30:00")))
        << SyncText::lessonTime(halfPastMidnight).toStdString();
    EXPECT_TRUE(SyncText::lessonTime(halfPastMidnight).endsWith(QLatin1String("-0400")));
    EXPECT_EQ(SyncText::yearDate(local(2025, 9, 8, 13, 5)), QStringLiteral("2025-09-08 13:05:00"));
}

TEST(SyncRepliesTest, LoggedInLineGivesTheAccountsYear)
{
    EXPECT_EQ(SyncReplies::loggedInYear("loggedin:42\n"), 42);
    EXPECT_EQ(SyncReplies::loggedInYear("loggedin:-1"), -1);
    EXPECT_FALSE(SyncReplies::loggedInYear("loggedin:"));
    EXPECT_FALSE(SyncReplies::loggedInYear("loggedin:x"));
    EXPECT_FALSE(SyncReplies::loggedInYear("loggedin:-7"));
    EXPECT_FALSE(SyncReplies::loggedInYear("<html>loggedin:3</html>"));
}

TEST(SyncRepliesTest, OnlyShortPlainTokensAreIdentifiers)
{
    EXPECT_EQ(SyncReplies::recordId("  118\n"), QStringLiteral("118"));
    EXPECT_EQ(SyncReplies::recordId("a-B_9"), QStringLiteral("a-B_9"));
    EXPECT_FALSE(SyncReplies::recordId(""));
    EXPECT_FALSE(SyncReplies::recordId("<html><body>502 Bad Gateway</body></html>"));
    EXPECT_FALSE(SyncReplies::recordId("not logged in"));
    EXPECT_FALSE(SyncReplies::recordId(QByteArray(65, '7')));
    EXPECT_TRUE(SyncReplies::recordId(QByteArray(64, '7')));
}

TEST(SyncRepliesTest, RecordXmlMustBeAWholeDocument)
{
    EXPECT_TRUE(SyncReplies::isRecordXml("<?xml version=\"1.0\"?><course><id>1</id></course>"));
    EXPECT_FALSE(SyncReplies::isRecordXml("<?xml version=\"1.0\"?><course><id>1</id>"));
    EXPECT_FALSE(SyncReplies::isRecordXml("<course><id>1</id></course>"));
    EXPECT_FALSE(SyncReplies::isRecordXml("<?xml version=\"1.0\"?>"));
    EXPECT_FALSE(SyncReplies::isRecordXml("<?xml version=\"1.0\"?><!DOCTYPE a [<!ENTITY e \"x\">]><a>&e;</a>"));
}

TEST(SyncRepliesTest, StoredFileSizeIsTheThirdChild)
{
    EXPECT_EQ(SyncReplies::storedFileSize(
                  "<?xml version=\"1.0\"?><attachfile><id>3</id><name>a.pdf</name><size>7000</size></attachfile>"),
        7000);
    EXPECT_FALSE(
        SyncReplies::storedFileSize("<?xml version=\"1.0\"?><attachfile><id>3</id><name>a</name></attachfile>"));
    EXPECT_FALSE(SyncReplies::storedFileSize(
        "<?xml version=\"1.0\"?><attachfile><id>3</id><name>a</name><size>big</size></attachfile>"));
}

TEST(SyncRepliesTest, YearIdentifierIsTheLastPathComponentOfTheRedirect)
{
    EXPECT_EQ(SyncReplies::idFromLocation("/years/17"), QStringLiteral("17"));
    EXPECT_EQ(SyncReplies::idFromLocation("https://connect.example.org/years/17/"), QStringLiteral("17"));
    EXPECT_FALSE(SyncReplies::idFromLocation("/login?next=/years"));
    EXPECT_FALSE(SyncReplies::idFromLocation("/login/17"));
    EXPECT_FALSE(SyncReplies::idFromLocation(""));
}

TEST(MultipartFormTest, FileNameIsQuotedWithoutLineBreaksAndNonAsciiGoesAsFilenameStar)
{
    MultipartForm form = MultipartForm::withBoundary("BOUNDARY");
    form.addField("lesson_id", "12");
    form.addFile("attachfile[attach]", QStringLiteral("a\"b\r\nc.pdf"), "application/pdf", "PDF");
    form.addFile("attachfile[attach]", QStringLiteral("façade.txt"), "text/plain", "x");
    const QByteArray body = form.body();
    EXPECT_TRUE(body.contains("filename=\"abc.pdf\"\r\nContent-Type: application/pdf\r\n\r\nPDF\r\n"));
    EXPECT_TRUE(body.contains("filename*=UTF-8''fa%C3%A7ade.txt"));
    EXPECT_TRUE(body.startsWith("--BOUNDARY\r\nContent-Disposition: form-data; name=\"lesson_id\"\r\n\r\n12\r\n"));
    EXPECT_TRUE(body.endsWith("\r\n--BOUNDARY--\r\n"));
    EXPECT_EQ(form.contentType(), QByteArray("multipart/form-data; boundary=\"BOUNDARY\""));
}

TEST(MultipartFormTest, AFormWithoutAFileStillEndsWithTheClosingBoundary)
{
    MultipartForm form = MultipartForm::withBoundary("B");
    form.addField("publish", "1");
    EXPECT_EQ(form.body(), QByteArray("--B\r\nContent-Disposition: form-data; name=\"publish\"\r\n\r\n1\r\n--B--\r\n"));
}

TEST(MultipartFormTest, EachFormDrawsItsOwnBoundary)
{
    EXPECT_NE(MultipartForm().contentType(), MultipartForm().contentType());
    EXPECT_EQ(MultipartForm::mimeTypeFor(QStringLiteral("clip.m4v")), QByteArray("video/x-m4v"));
    EXPECT_EQ(MultipartForm::mimeTypeFor(QStringLiteral("notes.PDF")), QByteArray("application/pdf"));
}

TEST(ServiceAddressTest, HttpsIsTheDefaultAndPlainHttpOnlyForLoopback)
{
    EXPECT_EQ(ServiceAddress::parse(QStringLiteral("connect.example.org"))->base(),
        QStringLiteral("https://connect.example.org"));
    EXPECT_EQ(ServiceAddress::parse(QStringLiteral("http://127.0.0.1:8080/"))->url(QStringLiteral("/syncdone")),
        QStringLiteral("http://127.0.0.1:8080/syncdone"));
    EXPECT_TRUE(ServiceAddress::parse(QStringLiteral("http://localhost:9")));
    EXPECT_TRUE(ServiceAddress::parse(QStringLiteral("http://[::1]:9")));
    EXPECT_FALSE(ServiceAddress::parse(QStringLiteral("http://connect.example.org")));
    EXPECT_FALSE(ServiceAddress::parse(QStringLiteral("http://10.0.0.1")));
    EXPECT_FALSE(ServiceAddress::parse(QStringLiteral("ftp://connect.example.org")));
    EXPECT_FALSE(ServiceAddress::parse(QStringLiteral("")));
    EXPECT_FALSE(ServiceAddress::parse(QStringLiteral("https://user:pw@connect.example.org")));
}

TEST(UploadProgressTest, FirstTickShowsWhatWentOutInTheFirstTenthOfASecond)
{
    UploadProgress progress(QStringLiteral("notes.pdf"), 10 * 1024 * 1024);
    EXPECT_EQ(progress.tick(51200), QStringLiteral("notes.pdf (50K of 10240K at 512 Kb/s)"));
}

TEST(UploadProgressTest, NothingWrittenYetShowsZeroOfTheTotal)
{
    UploadProgress progress(QStringLiteral("a b.txt"), 1023);
    EXPECT_EQ(progress.tick(0), QStringLiteral("a b.txt (0K of 0K at 0 Kb/s)"));
    EXPECT_EQ(progress.tick(1023), QStringLiteral("a b.txt (0K of 0K at 5.1 Kb/s)"));
}

TEST(UploadProgressTest, IdleTicksPullTheAverageDownAndItNeverGoesNegative)
{
    UploadProgress progress(QStringLiteral("f"), 4096);
    progress.tick(3000);
    EXPECT_EQ(progress.tick(3000), QStringLiteral("f (2K of 4K at 15 Kb/s)"));
    EXPECT_EQ(progress.tick(3000), QStringLiteral("f (2K of 4K at 10 Kb/s)"));
    // A transfer that started over reports fewer bytes than before.
    EXPECT_EQ(progress.tick(0), QStringLiteral("f (0K of 4K at 7.5 Kb/s)"));
}

TEST(UploadProgressTest, OnlyTheLastTenTicksCount)
{
    UploadProgress progress(QStringLiteral("f"), 1 << 20);
    qint64 written = 0;
    for (int tick = 0; tick < 10; ++tick)
        progress.tick(written += 1000);
    // Ten ticks of 1000 bytes, then ten of 3000: the first ten drop out one by one.
    EXPECT_EQ(progress.tick(written += 3000), QStringLiteral("f (12K of 1024K at 12 Kb/s)"));
    QString line;
    for (int tick = 1; tick < 10; ++tick)
        line = progress.tick(written += 3000);
    EXPECT_EQ(line, QStringLiteral("f (39K of 1024K at 30 Kb/s)"));
    EXPECT_EQ(progress.tick(written), QStringLiteral("f (39K of 1024K at 27 Kb/s)"));
}

TEST(UploadProgressTest, SpeedsShowAtMostOneFractionDigit)
{
    EXPECT_EQ(UploadProgress::formatSpeed(0), QStringLiteral("0"));
    EXPECT_EQ(UploadProgress::formatSpeed(12.34), QStringLiteral("12.3"));
    EXPECT_EQ(UploadProgress::formatSpeed(12.96), QStringLiteral("13"));
    EXPECT_EQ(UploadProgress::formatSpeed(0.04), QStringLiteral("0"));
    EXPECT_EQ(UploadProgress::formatSpeed(1234.5), QStringLiteral("1234.5"));
}
