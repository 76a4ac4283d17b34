#include "RemoteTree.h"
#include "UploadServers.h"
#include "calsync/CliRunner.h"
#include "testlib/FileHash.h"

#include <QDirIterator>

#include <gtest/gtest.h>

namespace {

// semestra-cli upload of the demo year to pyftpdlib.
class UploadCommandTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
        ASSERT_EQ(cli.run({ QStringLiteral("demo"), file }).exitCode, 0);
    }

    CliRunner::Run upload(const QByteArray& password, const QStringList& more = {}) const
    {
        QStringList arguments { QStringLiteral("upload"), file, QStringLiteral("--url"),
            QStringLiteral("ftp://127.0.0.1:%1/public html/").arg(server.port()), QStringLiteral("--user"),
            FtpServer::user };
        if (!password.isNull())
            arguments << QStringLiteral("--password-stdin");
        return cli.run(arguments + more, password + '\n');
    }
    // The working folder the site was generated into, in the data folder.
    QString workingFolder() const
    {
        QDirIterator walk(cli.path(QStringLiteral("data")), { QStringLiteral("FTPExport") }, QDir::Dirs,
            QDirIterator::Subdirectories);
        return walk.hasNext() ? walk.next() : QString();
    }
    QString storedPassword() const
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"), { file, QStringLiteral("SELECT ZFTPPASSWORD FROM ZPUBLISHINFO") });
        sqlite.waitForFinished();
        return QString::fromUtf8(sqlite.readAllStandardOutput()).trimmed();
    }
    void storePassword(const QString& password) const
    {
        QProcess sqlite;
        sqlite.start(QStringLiteral("sqlite3"),
            { file, QStringLiteral("UPDATE ZPUBLISHINFO SET ZFTPPASSWORD = '%1'").arg(password) });
        ASSERT_TRUE(sqlite.waitForFinished());
        ASSERT_EQ(storedPassword(), password);
    }

    FtpServer server;
    CliRunner cli;
    QString file = cli.path(QStringLiteral("Demo.semestra"));
};

TEST_F(UploadCommandTest, DemoSiteArrivesByteForByteAndCountsArePrinted)
{
    const CliRunner::Run run = upload("chalk");
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    const QMap<QString, QByteArray> local = treeAt(workingFolder());
    ASSERT_GT(local.size(), 20);
    EXPECT_EQ(treeDifferences(treeAt(server.root() + QStringLiteral("/public_html")), local), "");
    const qsizetype files
        = std::count_if(local.begin(), local.end(), [](const QByteArray& b) { return b != "<folder>"; });
    EXPECT_TRUE(run.out.contains(QStringLiteral("%1 files sent, 0 failed, 0 not tried").arg(files)))
        << run.out.toStdString();
}

TEST_F(UploadCommandTest, WrongPasswordFailsAndLeavesTheFileAlone)
{
    const QByteArray before = fileHash(file);
    const CliRunner::Run run = upload("wrong");
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("Error Logging In"))) << run.errors.toStdString();
    EXPECT_EQ(fileHash(file), before);
    EXPECT_FALSE(QFile::exists(server.root() + QStringLiteral("/public_html")));
}

TEST_F(UploadCommandTest, PasswordOfAnOlderDocumentIsUsedAndLeavesTheFile)
{
    storePassword(QStringLiteral("chalk"));
    // No keyring runs here: the document's password is the only one.
    const CliRunner::Run run = upload(QByteArray());
    ASSERT_EQ(run.exitCode, 0) << run.errors.toStdString();
    EXPECT_EQ(storedPassword(), QString());
}

TEST_F(UploadCommandTest, DocumentHoldsNoPasswordAfterAnUploadWithAGivenOne)
{
    storePassword(QStringLiteral("old"));
    ASSERT_EQ(upload("chalk").exitCode, 0);
    EXPECT_EQ(storedPassword(), QString());
}

TEST_F(UploadCommandTest, WithoutPasswordOrKeyringItSaysWhatToDo)
{
    const CliRunner::Run run = upload(QByteArray());
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.errors.contains(QStringLiteral("--password-stdin"))) << run.errors.toStdString();
    EXPECT_EQ(run.errors.count(QLatin1Char('\n')), 1);
}

TEST_F(UploadCommandTest, RequireTlsRefusesAPlainServer)
{
    const CliRunner::Run run = upload("chalk", { QStringLiteral("--require-tls") });
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_FALSE(server.commands().contains(QStringLiteral("PASS")));
}

TEST_F(UploadCommandTest, HelpAndBadAddressesAreOneLiners)
{
    const CliRunner::Run help = cli.run({ QStringLiteral("upload"), QStringLiteral("--help") });
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.out.contains(QStringLiteral("--require-tls")));
    const CliRunner::Run bad = cli.run({ QStringLiteral("upload"), file, QStringLiteral("--url"),
        QStringLiteral("http://127.0.0.1/"), QStringLiteral("--user"), QStringLiteral("x") });
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.errors.count(QLatin1Char('\n')), 1);
}

} // namespace
