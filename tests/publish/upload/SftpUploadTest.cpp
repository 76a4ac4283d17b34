#include "RemoteTree.h"
#include "UploadServers.h"
#include "publish/ExportManager.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Uploads over SFTP to sshd, signing in with the test key. The known-hosts
// file is the test's own.
class SftpUploadTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
        ASSERT_TRUE(writeFile(m_local.filePath(QStringLiteral("index.html")), "<html>top</html>"));
        ASSERT_TRUE(writeFile(m_local.filePath(QStringLiteral("Art #2/été 100%.html")), "<html>art</html>"));
        ASSERT_TRUE(writeFile(m_local.filePath(QStringLiteral("Art #2/.DS_Store")), "stays"));
    }

    FileTransferSession::Options options() const
    {
        FileTransferSession::Options options;
        options.knownHostsFile = knownHosts();
        options.privateKeyFile = server.userKey();
        options.connectTimeout = std::chrono::seconds(5);
        return options;
    }
    QString knownHosts() const { return m_home.filePath(QStringLiteral("known_hosts")); }
    void trustServer() { ASSERT_TRUE(writeFile(knownHosts(), server.knownHostsLine().toUtf8())); }
    UploadOutcome upload(FileTransferSession::HostKeyCheck check = {})
    {
        const TransferAddress address
            = *TransferAddress::parse(QStringLiteral("sftp://127.0.0.1:%1/class site").arg(server.port()));
        FileTransferSession session(address, SftpServer::userName(), QString(), options());
        session.setHostKeyCheck(std::move(check));
        return ExportManager(session).uploadFiles(m_local.path());
    }
    QMap<QString, QByteArray> remoteSite() const { return treeAt(server.root() + QStringLiteral("/class_site")); }

    SftpServer server;
    QTemporaryDir m_local;
    QTemporaryDir m_home;
};

TEST_F(SftpUploadTest, SiteArrivesByteForByteBelowTheLoginFolder)
{
    trustServer();
    const UploadOutcome outcome = upload();
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Uploaded) << outcome.log.join('\n').toStdString();
    EXPECT_EQ(treeDifferences(remoteSite(), withoutHidden(treeAt(m_local.path()))), "");
    // Again, over what is there now.
    EXPECT_EQ(upload().result, UploadOutcome::Result::Uploaded);
}

TEST_F(SftpUploadTest, UnknownHostKeyIsAskedForOnceAndRemembered)
{
    QList<HostKey> asked;
    const auto trust = [&](const HostKey& key) {
        asked.append(key);
        return true;
    };
    EXPECT_EQ(upload(trust).result, UploadOutcome::Result::Uploaded);
    ASSERT_EQ(asked.size(), 1);
    EXPECT_EQ(asked.first().type, QStringLiteral("ED25519"));
    EXPECT_EQ(asked.first().port, server.port());
    EXPECT_TRUE(asked.first().fingerprint.startsWith(QStringLiteral("SHA256:")));
    EXPECT_EQ(upload(trust).result, UploadOutcome::Result::Uploaded);
    EXPECT_EQ(asked.size(), 1);
}

TEST_F(SftpUploadTest, RefusedHostKeyStopsTheUpload)
{
    const UploadOutcome outcome = upload([](const HostKey&) { return false; });
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_TRUE(outcome.failure.contains(QStringLiteral("not trusted"))) << outcome.failure.toStdString();
    EXPECT_FALSE(QFile::exists(server.root() + QStringLiteral("/class_site")));
}

TEST_F(SftpUploadTest, ChangedHostKeyStopsWithoutAsking)
{
    // Another server's key under this one's name.
    SftpServer impostor;
    ASSERT_TRUE(impostor.isRunning()) << impostor.problem().toStdString();
    QString line = impostor.knownHostsLine();
    line.replace(QStringLiteral("]:%1 ").arg(impostor.port()), QStringLiteral("]:%1 ").arg(server.port()));
    ASSERT_TRUE(writeFile(knownHosts(), line.toUtf8()));
    bool asked = false;
    const UploadOutcome outcome = upload([&](const HostKey&) { return asked = true; });
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_FALSE(asked);
    EXPECT_TRUE(outcome.failure.contains(QStringLiteral("impostor"))) << outcome.failure.toStdString();
}

} // namespace
