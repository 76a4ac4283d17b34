#include "cli/DemoYearFiller.h"
#include "model/Document.h"
#include "model/DocumentLock.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"

#include <QDir>
#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

#include <memory>

namespace {

// Real launches of the desktop planner, each with the same scratch home and
// runtime folder, so that they find one another as a user's launches do.
class SingleLaunchTest : public testing::Test {
protected:
    void SetUp() override
    {
        ASSERT_TRUE(QDir(folder.path()).mkdir(QStringLiteral("run")));
        // Qt expects a runtime folder only its user can enter.
        QFile::setPermissions(folder.filePath(QStringLiteral("run")),
            QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    }

    void TearDown() override
    {
        for (const auto& launch : launches) {
            launch->kill();
            launch->waitForFinished();
        }
    }

    QString demoFile(const QString& name)
    {
        const QString path = folder.filePath(name);
        ScriptedAlertPresenter alerts;
        ScriptedFileChooser files;
        Document document(alerts, files);
        EXPECT_NE(DemoYearFiller::buildYear(document.context(), alerts, 1), nullptr);
        EXPECT_TRUE(document.saveAs(path).ok());
        return path;
    }

    QProcess* launch(const QStringList& files)
    {
        auto& process = launches.emplace_back(std::make_unique<QProcess>());
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        environment.insert(QStringLiteral("XDG_RUNTIME_DIR"), folder.filePath(QStringLiteral("run")));
        environment.insert(QStringLiteral("HOME"), folder.filePath(QStringLiteral("home")));
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), folder.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), folder.filePath(QStringLiteral("data")));
        process->setProcessEnvironment(environment);
        process->setWorkingDirectory(folder.path());
        process->start(QStringLiteral(SEMESTRA_APP_PATH), files);
        EXPECT_TRUE(process->waitForStarted());
        return process.get();
    }

    // The planner listens before it opens its files, so once it holds the
    // file it also takes later launches.
    static bool holds(const QProcess* planner, const QString& file)
    {
        return QTest::qWaitFor(
            [&] {
                qint64 pid = 0;
                QString host;
                QString application;
                return QLockFile(DocumentLock::lockFilePath(file)).getLockInfo(&pid, &host, &application)
                    && pid == planner->processId();
            },
            20000);
    }

    // A later launch must end by itself, at once and successfully.
    static QString answerOf(QProcess* later)
    {
        EXPECT_TRUE(later->waitForFinished(10000));
        EXPECT_EQ(later->exitStatus(), QProcess::NormalExit);
        EXPECT_EQ(later->exitCode(), 0) << later->readAllStandardError().toStdString();
        return QString::fromUtf8(later->readAllStandardOutput()).trimmed();
    }

    QTemporaryDir folder;
    std::vector<std::unique_ptr<QProcess>> launches;
};

} // namespace

TEST_F(SingleLaunchTest, LaterLaunchesHandTheirFilesToTheRunningPlannerAndEnd)
{
    const QString file = demoFile(QStringLiteral("Grade 7.semestra"));
    QProcess* first = launch({ file });
    ASSERT_TRUE(holds(first, file));

    EXPECT_EQ(answerOf(launch({ QStringLiteral("Grade 7.semestra") })),
        QStringLiteral("Handed to the running Semestra: Grade 7.semestra (raised)"))
        << "a relative name means the same file";
    EXPECT_EQ(answerOf(launch({})), QStringLiteral("Semestra is already running: its window was raised."));

    const QString other = demoFile(QStringLiteral("Grade 8.semestra"));
    EXPECT_EQ(
        answerOf(launch({ other })), QStringLiteral("Handed to the running Semestra: Grade 8.semestra (opening)"));
    EXPECT_TRUE(holds(first, other)) << "the running planner opened it";
    EXPECT_EQ(answerOf(launch({ other, file })),
        QStringLiteral("Handed to the running Semestra: Grade 8.semestra (raised), Grade 7.semestra (raised)"));
    EXPECT_EQ(first->state(), QProcess::Running);
}

TEST_F(SingleLaunchTest, APlannerThatCrashedLeavesNothingInTheWay)
{
    const QString file = demoFile(QStringLiteral("Grade 7.semestra"));
    QProcess* crashed = launch({ file });
    ASSERT_TRUE(holds(crashed, file));
    crashed->kill();
    ASSERT_TRUE(crashed->waitForFinished());

    // Its socket and its lock are still there; the next launch takes both.
    QProcess* next = launch({ file });
    ASSERT_TRUE(holds(next, file));
    EXPECT_EQ(answerOf(launch({ file })), QStringLiteral("Handed to the running Semestra: Grade 7.semestra (raised)"));
    EXPECT_EQ(next->state(), QProcess::Running);
}
