#include "server/ServerConfig.h"

#include <QFile>
#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

class ServerConfigTest : public testing::Test {
protected:
    std::optional<ServerConfig> load(const QByteArray& ini)
    {
        QFile file(m_dir.filePath(QStringLiteral("connect.ini")));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(ini);
        file.close();
        return ServerConfig::load(file.fileName(), &error);
    }

    QTemporaryDir m_dir;
    QString error;
};

TEST_F(ServerConfigTest, ReadsTheDocumentedKeys)
{
    const auto config = load("[server]\nlisten = 0.0.0.0:9090\nbase_url = https://connect.example.org/\n"
                             "[storage]\ndatabase = sqlite:///var/lib/semestra-connect/connect.db\n"
                             "files = /var/lib/semestra-connect/files\n[accounts]\nsignup = true\n");
    ASSERT_TRUE(config) << error.toStdString();
    EXPECT_EQ(config->listenHost, QStringLiteral("0.0.0.0"));
    EXPECT_EQ(config->listenPort, 9090);
    EXPECT_EQ(config->baseUrl, QStringLiteral("https://connect.example.org"));
    EXPECT_EQ(config->database.kind, DatabaseUrl::Kind::Sqlite);
    EXPECT_EQ(config->database.path, QStringLiteral("/var/lib/semestra-connect/connect.db"));
    EXPECT_EQ(config->filesFolder, QStringLiteral("/var/lib/semestra-connect/files"));
    EXPECT_TRUE(config->signup);
}

TEST_F(ServerConfigTest, SignupIsOffAndTheListenAddressLocalUnlessSaid)
{
    const auto config = load("[storage]\ndatabase = postgresql://connect@db.school:6543/semestra\nfiles = /srv/f\n");
    ASSERT_TRUE(config) << error.toStdString();
    EXPECT_FALSE(config->signup);
    EXPECT_EQ(config->listenHost, QStringLiteral("127.0.0.1"));
    EXPECT_EQ(config->listenPort, 8080);
    EXPECT_EQ(config->database.kind, DatabaseUrl::Kind::Postgres);
    EXPECT_EQ(config->database.user, QStringLiteral("connect"));
    EXPECT_EQ(config->database.host, QStringLiteral("db.school"));
    EXPECT_EQ(config->database.port, 6543);
    EXPECT_EQ(config->database.database, QStringLiteral("semestra"));
}

TEST_F(ServerConfigTest, RefusesBadValuesWithAReason)
{
    for (const QByteArray& ini : {
             QByteArray("[storage]\ndatabase = sqlite://relative.db\nfiles = /f\n"),
             QByteArray("[storage]\ndatabase = mysql://u@h/db\nfiles = /f\n"),
             QByteArray("[storage]\ndatabase = postgresql://h/db\nfiles = /f\n"),
             QByteArray("[storage]\ndatabase = sqlite:///a.db\nfiles = relative\n"),
             QByteArray("[server]\nlisten = 8080\n[storage]\ndatabase = sqlite:///a.db\nfiles = /f\n"),
             QByteArray("[server]\nlisten = h:99999\n[storage]\ndatabase = sqlite:///a.db\nfiles = /f\n"),
             QByteArray("[storage]\ndatabase = sqlite:///a.db\nfiles = /f\n[accounts]\nsignup = maybe\n"),
             QByteArray("[server]\nthreads = 0\n[storage]\ndatabase = sqlite:///a.db\nfiles = /f\n"),
         }) {
        error.clear();
        EXPECT_FALSE(load(ini)) << ini.toStdString();
        EXPECT_FALSE(error.isEmpty()) << ini.toStdString();
    }
    EXPECT_FALSE(ServerConfig::load(m_dir.filePath(QStringLiteral("missing.ini")), &error));
}

} // namespace
