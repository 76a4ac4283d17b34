#include "RemoteTree.h"
#include "UploadServers.h"
#include "publish/ExportManager.h"
#include "testlib/LoopbackPort.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

using namespace std::chrono_literals;

// A small site with the names that raw URLs used to break, hidden files
// that stay at home and an empty folder, uploaded into "site" on the server.
class FtpUploadTest : public testing::Test {
protected:
    void SetUp() override
    {
        for (const auto& [path, bytes] : std::initializer_list<std::pair<QString, QByteArray>> {
                 { QStringLiteral("index.html"), "<html>top</html>" },
                 { QStringLiteral("Math #1/index.html"), "<html>math</html>" },
                 { QStringLiteral("Math #1/notes 100%.txt"), QByteArray(200000, 'n') },
                 { QStringLiteral("Français/été?.html"), "<html>&eacute;t&eacute;</html>" },
                 { QStringLiteral(".hidden"), "stays" }, { QStringLiteral("Math #1/.DS_Store"), "stays" } })
            ASSERT_TRUE(writeFile(m_local.filePath(path), bytes));
        QDir().mkpath(m_local.filePath(QStringLiteral("empty")));
    }

    static TransferAddress addressOf(int port, const QString& scheme = QStringLiteral("ftp"))
    {
        return *TransferAddress::parse(QStringLiteral("%1://127.0.0.1:%2/site").arg(scheme).arg(port));
    }
    static FileTransferSession::Options quick()
    {
        FileTransferSession::Options options;
        options.connectTimeout = 2s;
        options.responseTimeout = 2s;
        options.stallTimeout = 2s;
        return options;
    }
    UploadOutcome upload(FileTransferSession& session, ExportManager::Listener listener = {})
    {
        ExportManager manager(session);
        manager.setListener(std::move(listener));
        manager.setCancelFlag(&cancelled);
        return manager.uploadFiles(m_local.path());
    }
    QMap<QString, QByteArray> localSite() const { return withoutHidden(treeAt(m_local.path())); }
    static QMap<QString, QByteArray> remoteSite(const FtpServer& server)
    {
        return treeAt(server.root() + QStringLiteral("/site"));
    }

    QTemporaryDir m_local;
    std::atomic<bool> cancelled { false };
};

TEST_F(FtpUploadTest, FilesArriveUnderTheirOwnNamesByteForByte)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, quick());
    QList<int> left;
    QString connectedTo;
    const UploadOutcome outcome = upload(session,
        { [&](const QString& host, int port) { connectedTo = QStringLiteral("%1:%2").arg(host).arg(port); },
            [&](int filesLeft, int) { left.append(filesLeft); } });
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Uploaded) << outcome.log.join('\n').toStdString();
    EXPECT_EQ(outcome.filesSent, 4);
    EXPECT_EQ(left, QList<int>({ 3, 2, 1, 0 }));
    EXPECT_EQ(connectedTo, QStringLiteral("127.0.0.1:%1").arg(server.port()));
    EXPECT_EQ(treeDifferences(remoteSite(server), localSite()), "");
    // One connection for the whole site.
    EXPECT_EQ(server.commands().count(QStringLiteral("USER")), 1);
}

TEST_F(FtpUploadTest, ExistingFoldersAndFilesAreNoFailure)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, quick());
    ASSERT_EQ(upload(session).result, UploadOutcome::Result::Uploaded);
    ASSERT_TRUE(writeFile(m_local.filePath(QStringLiteral("index.html")), "<html>changed</html>"));
    EXPECT_EQ(upload(session).result, UploadOutcome::Result::Uploaded);
    EXPECT_EQ(treeDifferences(remoteSite(server), localSite()), "");
}

TEST_F(FtpUploadTest, WrongPasswordStopsBeforeAnythingIsSent)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession session(addressOf(server.port()), FtpServer::user, QStringLiteral("wrong"), quick());
    const UploadOutcome outcome = upload(session);
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_TRUE(outcome.loginRefused);
    EXPECT_EQ(outcome.filesSent, 0);
    EXPECT_FALSE(QFile::exists(server.root() + QStringLiteral("/site")));
}

TEST_F(FtpUploadTest, FileTheServerRefusesIsTriedTwiceAndCounted)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    // A folder where the top page should go: the server cannot store it.
    QDir().mkpath(server.root() + QStringLiteral("/site/index.html"));
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, quick());
    const UploadOutcome outcome = upload(session);
    EXPECT_EQ(outcome.result, UploadOutcome::Result::FilesFailed);
    EXPECT_EQ(outcome.filesFailed, 1);
    EXPECT_EQ(outcome.filesSent, 3);
    const QString topPage = QStringLiteral("sending %1 ").arg(m_local.filePath(QStringLiteral("index.html")));
    EXPECT_EQ(std::count_if(outcome.log.begin(), outcome.log.end(),
                  [&](const QString& line) { return line.startsWith(topPage); }),
        2);
    EXPECT_TRUE(remoteSite(server).value(QStringLiteral("Math #1/notes 100%.txt")) == QByteArray(200000, 'n'));
}

TEST_F(FtpUploadTest, ServerGoneMidUploadStopsTheUpload)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, quick());
    const UploadOutcome outcome = upload(session, { {}, [&](int, int) { server.stop(); } });
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_FALSE(outcome.loginRefused);
    EXPECT_EQ(outcome.filesSent, 1);
    EXPECT_FALSE(outcome.failure.isEmpty());
}

TEST_F(FtpUploadTest, ServerThatNeverAnswersTimesOut)
{
    SilentServer server;
    ASSERT_GT(server.port(), 0);
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, quick());
    const UploadOutcome outcome = upload(session);
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_EQ(outcome.filesSent, 0);
}

TEST_F(FtpUploadTest, RefusedConnectionStopsTheUpload)
{
    FileTransferSession session(addressOf(LoopbackPort::freePort()), FtpServer::user, FtpServer::password, quick());
    const UploadOutcome outcome = upload(session);
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_TRUE(outcome.failure.contains(QStringLiteral("127.0.0.1"))) << outcome.failure.toStdString();
}

TEST_F(FtpUploadTest, CancelStopsAfterTheFileUnderWay)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, quick());
    const UploadOutcome outcome = upload(session, { {}, [&](int, int) { cancelled = true; } });
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Cancelled);
    EXPECT_EQ(outcome.filesSent, 1);
}

TEST_F(FtpUploadTest, RequiredEncryptionNeverSendsThePasswordToAPlainServer)
{
    FtpServer server;
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession::Options options = quick();
    options.encryption = FileTransferSession::Encryption::Required;
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, options);
    const UploadOutcome outcome = upload(session);
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_FALSE(outcome.loginRefused);
    EXPECT_FALSE(server.commands().contains(QStringLiteral("PASS")));
    EXPECT_FALSE(server.commands().contains(QStringLiteral("USER")));
}

TEST_F(FtpUploadTest, TlsIsUsedWhenTheServerOffersIt)
{
    FtpServer server(FtpServer::Tls::Explicit);
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession::Options options = quick();
    options.certificateAuthorities = server.certificate();
    for (FileTransferSession::Encryption encryption :
        { FileTransferSession::Encryption::WhenOffered, FileTransferSession::Encryption::Required }) {
        options.encryption = encryption;
        FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, options);
        const UploadOutcome outcome = upload(session);
        EXPECT_EQ(outcome.result, UploadOutcome::Result::Uploaded) << outcome.log.join('\n').toStdString();
    }
    const QStringList commands = server.commands();
    EXPECT_LT(commands.indexOf(QStringLiteral("AUTH")), commands.indexOf(QStringLiteral("PASS")));
    EXPECT_TRUE(commands.contains(QStringLiteral("PROT")));
    EXPECT_EQ(treeDifferences(remoteSite(server), localSite()), "");
}

TEST_F(FtpUploadTest, UntrustedCertificateStopsBeforeThePasswordGoesOut)
{
    FtpServer server(FtpServer::Tls::Explicit);
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession session(addressOf(server.port()), FtpServer::user, FtpServer::password, quick());
    const UploadOutcome outcome = upload(session);
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Stopped);
    EXPECT_FALSE(server.commands().contains(QStringLiteral("PASS")));
}

TEST_F(FtpUploadTest, ImplicitTlsUploads)
{
    FtpServer server(FtpServer::Tls::Implicit);
    ASSERT_TRUE(server.isRunning()) << server.problem().toStdString();
    FileTransferSession::Options options = quick();
    options.certificateAuthorities = server.certificate();
    FileTransferSession session(
        addressOf(server.port(), QStringLiteral("ftps")), FtpServer::user, FtpServer::password, options);
    const UploadOutcome outcome = upload(session);
    EXPECT_EQ(outcome.result, UploadOutcome::Result::Uploaded) << outcome.log.join('\n').toStdString();
    EXPECT_EQ(treeDifferences(remoteSite(server), localSite()), "");
}

} // namespace
