#include "cli/CliFixture.h"

#include <QFile>

using WindowsCommandsTest = CliFixture;

TEST_F(WindowsCommandsTest, AnExportedPlanImportsBackWithTheSameDaysAndLessons)
{
    const QString plan = path(QStringLiteral("plan.semestra"));
    const QString exchange = path(QStringLiteral("plan.smsqlite"));
    const QString back = path(QStringLiteral("back.semestra"));
    runOk({ QStringLiteral("demo"), plan });

    runOk({ QStringLiteral("export-windows"), plan, QStringLiteral("--output"), exchange });
    const CliRun imported = runOk({ QStringLiteral("import-windows"), exchange, QStringLiteral("--output"), back });
    EXPECT_TRUE(imported.out.isEmpty()) << "nothing was left out: " << imported.out.toStdString();

    EXPECT_EQ(runOk({ QStringLiteral("days"), back, QStringLiteral("--json") }).out,
        runOk({ QStringLiteral("days"), plan, QStringLiteral("--json") }).out);
    EXPECT_EQ(info(back)[u"courses"], info(plan)[u"courses"]);
}

TEST_F(WindowsCommandsTest, OutputsThatExistAreReplacedOnlyWhenForced)
{
    const QString plan = newTraditionalYear({ QStringLiteral("Math") });
    const QString exchange = path(QStringLiteral("plan.smsqlite"));
    const QString back = path(QStringLiteral("back.semestra"));
    runOk({ QStringLiteral("export-windows"), plan, QStringLiteral("--output"), exchange });
    runOk({ QStringLiteral("import-windows"), exchange, QStringLiteral("--output"), back });
    const QByteArray exchangeBefore = fileHash(exchange);
    const QByteArray backBefore = fileHash(back);

    for (const QStringList& arguments :
        { QStringList { QStringLiteral("export-windows"), plan, QStringLiteral("--output"), exchange },
            QStringList { QStringLiteral("import-windows"), exchange, QStringLiteral("--output"), back } }) {
        const CliRun refused = run(arguments);
        EXPECT_EQ(refused.exitCode, 1);
        EXPECT_TRUE(refused.errors.contains(QStringLiteral("already exists (use --force to replace it)")));
        EXPECT_EQ(refused.errors.count(u'\n'), 1);
    }
    EXPECT_EQ(fileHash(exchange), exchangeBefore);
    EXPECT_EQ(fileHash(back), backBefore);

    runOk({ QStringLiteral("import-windows"), exchange, QStringLiteral("--output"), back, QStringLiteral("--force") });
    runOk({ QStringLiteral("export-windows"), plan, QStringLiteral("--output"), exchange, QStringLiteral("--force") });
}

TEST_F(WindowsCommandsTest, AFileThatIsNoExchangeFileIsRefusedWithoutAnOutput)
{
    const QString plan = newTraditionalYear({ QStringLiteral("Math") });
    const QString back = path(QStringLiteral("back.semestra"));
    // A document is SQLite too, but holds no exchange tables of its own kind.
    QFile garbage(path(QStringLiteral("garbage.smsqlite")));
    ASSERT_TRUE(garbage.open(QIODevice::WriteOnly));
    garbage.write("definitely not SQLite");
    garbage.close();

    const CliRun refused = run({ QStringLiteral("import-windows"), garbage.fileName(), QStringLiteral("--output"), back });
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.errors.contains(QStringLiteral("is not a Semestra for Windows file")))
        << refused.errors.toStdString();
    EXPECT_EQ(refused.errors.count(u'\n'), 1);
    EXPECT_FALSE(QFile::exists(back));

    const CliRun missing = run({ QStringLiteral("export-windows"), path(QStringLiteral("none.semestra")),
        QStringLiteral("--output"), path(QStringLiteral("x.smsqlite")) });
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_FALSE(QFile::exists(path(QStringLiteral("x.smsqlite"))));
    EXPECT_EQ(run({ QStringLiteral("export-windows"), plan }).exitCode, 1) << "--output is required";
}

TEST_F(WindowsCommandsTest, AFailedExportLeavesTheDocumentAsItWas)
{
    const QString plan = newTraditionalYear({ QStringLiteral("Math") });
    const QByteArray before = fileHash(plan);
    const CliRun failed = run({ QStringLiteral("export-windows"), plan, QStringLiteral("--output"),
        path(QStringLiteral("missing/plan.smsqlite")) });
    EXPECT_EQ(failed.exitCode, 1);
    EXPECT_EQ(failed.errors.count(u'\n'), 1);
    EXPECT_EQ(fileHash(plan), before);
}

TEST_F(WindowsCommandsTest, HelpNamesBothCommands)
{
    const CliRun help = runOk({ QStringLiteral("--help") });
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  export-windows FILE --output OUT.smsqlite")));
    EXPECT_TRUE(help.out.contains(QStringLiteral("\n  import-windows IN.smsqlite --output NEW.semestra")));
}
