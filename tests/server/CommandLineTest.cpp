#include "testlib/LoopbackPort.h"
#include "testlib/ServerProcess.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <csignal>
#include <httplib.h>

namespace {

struct Finished {
    int exitCode = -1;
    QString out;
    QString err;
};

class CommandLineTest : public testing::Test {
protected:
    void SetUp() override
    {
        m_port = LoopbackPort::freePort();
        QFile ini(configPath());
        ASSERT_TRUE(ini.open(QIODevice::WriteOnly));
        ini.write(QStringLiteral("[server]\nlisten = 127.0.0.1:%1\n[storage]\ndatabase = sqlite://%2\nfiles = %3\n")
                      .arg(m_port)
                      .arg(m_dir.filePath(QStringLiteral("connect.db")), m_dir.filePath(QStringLiteral("files")))
                      .toUtf8());
    }

    QString configPath() const { return m_dir.filePath(QStringLiteral("connect.ini")); }

    Finished run(QStringList arguments, const QByteArray& input = {}, bool withConfig = true)
    {
        if (withConfig)
            arguments << QStringLiteral("--config") << configPath();
        QProcess process;
        process.start(QStringLiteral(SEMESTRA_CONNECT_BINARY), arguments);
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(30000);
        return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()) };
    }

    QTemporaryDir m_dir;
    int m_port = 0;
};

TEST_F(CommandLineTest, AddsListsDisablesAndResetsAccounts)
{
    EXPECT_EQ(
        run({ QStringLiteral("user"), QStringLiteral("add"), QStringLiteral("anna") }, "password-anna\n").exitCode, 0);
    const Finished duplicate
        = run({ QStringLiteral("user"), QStringLiteral("add"), QStringLiteral("anna") }, "other-pass\n");
    EXPECT_EQ(duplicate.exitCode, 1);
    EXPECT_EQ(duplicate.err, QStringLiteral("semestra-connect: user anna exists already\n"));
    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("add"), QStringLiteral("ben") }, "short\n").exitCode, 1);
    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("list") }).out, QStringLiteral("anna\tenabled\t-1\n"));

    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("disable"), QStringLiteral("anna") }).exitCode, 0);
    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("list") }).out, QStringLiteral("anna\tdisabled\t-1\n"));
    EXPECT_EQ(
        run({ QStringLiteral("user"), QStringLiteral("reset"), QStringLiteral("anna") }, "new-password\n").exitCode, 0);
    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("list") }).out, QStringLiteral("anna\tenabled\t-1\n"));
    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("disable"), QStringLiteral("nobody") }).exitCode, 1);
    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("admin"), QStringLiteral("anna") }).exitCode, 0);
    EXPECT_EQ(run({ QStringLiteral("user"), QStringLiteral("list") }).out,
        QStringLiteral("anna\tenabled,administrator\t-1\n"));
}

TEST_F(CommandLineTest, EveryCommandExplainsItselfAndWrongUsageFailsWithOneLine)
{
    for (const QString& command : { QStringLiteral("serve"), QStringLiteral("user add"), QStringLiteral("user list"),
             QStringLiteral("user disable"), QStringLiteral("user admin"), QStringLiteral("user reset"),
             QStringLiteral("feedback list") }) {
        const Finished help = run(command.split(QLatin1Char(' ')) << QStringLiteral("--help"), {}, false);
        EXPECT_EQ(help.exitCode, 0) << command.toStdString();
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: semestra-connect ") + command)) << command.toStdString();
    }
    for (const QStringList& wrong : { QStringList { QStringLiteral("frobnicate") },
             QStringList { QStringLiteral("user"), QStringLiteral("add") }, QStringList { QStringLiteral("serve") } }) {
        const Finished failed = run(wrong, {}, false);
        EXPECT_EQ(failed.exitCode, 2);
        EXPECT_EQ(failed.err.count(QLatin1Char('\n')), 1) << failed.err.toStdString();
    }
    const Finished missing = run({ QStringLiteral("user"), QStringLiteral("list"), QStringLiteral("--config"),
                                     QStringLiteral("/nonexistent.ini") },
        {}, false);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, QStringLiteral("semestra-connect: cannot read config file /nonexistent.ini\n"));
}

TEST_F(CommandLineTest, ServeCreatesItsDatabaseLogsRequestsAndStopsOnSigterm)
{
    QProcess server;
    server.start(
        QStringLiteral(SEMESTRA_CONNECT_BINARY), { QStringLiteral("serve"), QStringLiteral("--config"), configPath() });
    ASSERT_TRUE(
        LoopbackPort::waitUntilListening(m_port, 10000, [&] { return server.state() != QProcess::NotRunning; }));
    EXPECT_TRUE(QFile::exists(m_dir.filePath(QStringLiteral("connect.db"))));
    httplib::Client client("127.0.0.1", m_port);
    const auto answer = client.Get("/loginremote?version=1");
    ASSERT_TRUE(answer);
    EXPECT_EQ(answer->status, 401);
    ::kill(pid_t(server.processId()), SIGTERM);
    EXPECT_TRUE(server.waitForFinished(10000));
    EXPECT_EQ(server.exitStatus(), QProcess::NormalExit);
    EXPECT_EQ(server.exitCode(), 0);
    const QString log = QString::fromUtf8(server.readAllStandardError());
    EXPECT_TRUE(log.contains(QStringLiteral("method=GET path=\"/loginremote\" status=401"))) << log.toStdString();
    EXPECT_TRUE(log.endsWith(QStringLiteral("semestra-connect stopped\n"))) << log.toStdString();
    ServerProcess::stop(server);
}

} // namespace
