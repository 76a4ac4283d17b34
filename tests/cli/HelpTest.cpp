#include "cli/CliFixture.h"

#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QStandardPaths>

namespace {

// The command names in the overall help, one per "  name ..." line.
QStringList listedCommands(const QString& help)
{
    QStringList names;
    static const QRegularExpression line(QStringLiteral("^  ([a-z][a-z-]*)( |$)"), QRegularExpression::MultilineOption);
    for (auto match = line.globalMatch(help); match.hasNext();)
        names << match.next().captured(1);
    return names;
}

// The option names in a block of text, without their dashes.
QStringList optionsIn(const QString& text)
{
    QStringList options;
    static const QRegularExpression option(QStringLiteral("--([a-z][a-z-]*)"));
    for (auto match = option.globalMatch(text); match.hasNext();)
        options << match.next().captured(1);
    options.removeDuplicates();
    return options;
}

QString section(const QString& help, const QString& heading)
{
    const QString title = QStringLiteral("\n\n") + heading + QStringLiteral(":\n");
    const qsizetype start = help.indexOf(title);
    if (start < 0)
        return {};
    const qsizetype body = start + title.size();
    const qsizetype end = help.indexOf(QStringLiteral("\n\n"), body);
    return help.mid(body, end < 0 ? -1 : end - body);
}

QString readText(const QString& fileName)
{
    QFile file(fileName);
    return file.open(QIODevice::ReadOnly) ? QString::fromUtf8(file.readAll()) : QString();
}

} // namespace

class HelpTest : public CliFixture {
protected:
    QStringList commands() const { return listedCommands(runOk({ QStringLiteral("--help") }).out); }

    // Runs `script` in bash, in the test's folder, after sourcing the
    // completion written at build time; returns what it printed.
    CliRun bash(const QString& script) const
    {
        QProcess process;
        process.setWorkingDirectory(path(QStringLiteral(".")));
        process.start(QStringLiteral("bash"),
            { QStringLiteral("-c"),
                QStringLiteral("source '%1' || exit 9\n").arg(QStringLiteral(SEMESTRA_CLI_COMPLETION)) + script });
        process.closeWriteChannel();
        process.waitForFinished(30000);
        return { process.exitCode(), QString::fromUtf8(process.readAllStandardOutput()),
            QString::fromUtf8(process.readAllStandardError()) };
    }

    // What the completion offers for the words of a command line whose last
    // word is being typed.
    QStringList completions(const QStringList& words) const
    {
        QStringList quoted;
        for (const QString& word : words)
            quoted << u'\'' + word + u'\'';
        const CliRun result
            = bash(QStringLiteral("COMP_WORDS=(%1)\nCOMP_CWORD=%2\n_semestra_cli\nprintf '%s\\n' \"${COMPREPLY[@]}\"\n")
                       .arg(quoted.join(u' '))
                       .arg(words.size() - 1));
        EXPECT_EQ(result.exitCode, 0) << result.errors.toStdString();
        QStringList offered = result.out.split(u'\n', Qt::SkipEmptyParts);
        offered.sort();
        return offered;
    }
};

TEST_F(HelpTest, EveryListedCommandExplainsItsUsageOptionsAndAnExample)
{
    const QStringList names = commands();
    ASSERT_GT(names.size(), 50);
    for (const QString& name : names) {
        SCOPED_TRACE(name.toStdString());
        const CliRun help = runOk({ name, QStringLiteral("--help") });
        EXPECT_TRUE(help.out.startsWith(QStringLiteral("usage: semestra-cli ") + name + u' ')
            || help.out.startsWith(QStringLiteral("usage: semestra-cli ") + name + u'\n'));
        EXPECT_TRUE(section(help.out, QStringLiteral("example")).startsWith(QStringLiteral("  semestra-cli ") + name));
        EXPECT_EQ(runOk({ QStringLiteral("help"), name }).out, help.out);

        const QString usage = help.out.left(help.out.indexOf(QStringLiteral("\n\n")));
        const QString options = section(help.out, QStringLiteral("options"));
        const QStringList explained = optionsIn(options);
        for (const QString& option : optionsIn(usage))
            EXPECT_TRUE(explained.contains(option)) << "--" << option.toStdString() << " is not explained";
        for (const QString& line : options.split(u'\n'))
            EXPECT_GE(line.simplified().count(u' '), 2) << "no meaning: " << line.toStdString();
    }
}

// An example that names an option its command does not take, or has the
// wrong number of arguments, is refused as a usage error (exit 2), before
// the command looks for its files.
TEST_F(HelpTest, EveryExampleIsAcceptedByItsCommand)
{
    for (const QString& name : commands()) {
        const QString example
            = section(runOk({ name, QStringLiteral("--help") }).out, QStringLiteral("example")).trimmed();
        const QStringList arguments = QProcess::splitCommand(example).mid(1);
        const CliRun result = run(arguments);
        EXPECT_NE(result.exitCode, 2) << example.toStdString() << ": " << result.errors.toStdString();
        QFile::remove(path(QStringLiteral("year.semestra")));
    }
}

TEST_F(HelpTest, HelpForAnUnknownCommandIsAOneLineUsageError)
{
    for (const QStringList& arguments : { QStringList { QStringLiteral("help"), QStringLiteral("nope") },
             QStringList { QStringLiteral("help"), QStringLiteral("bump"), QStringLiteral("cancel") },
             QStringList { QStringLiteral("--help"), QStringLiteral("nope") } }) {
        const CliRun result = run(arguments);
        EXPECT_EQ(result.exitCode, 2);
        EXPECT_TRUE(result.out.isEmpty());
        EXPECT_TRUE(result.errors.startsWith(QStringLiteral("semestra-cli: "))) << result.errors.toStdString();
        EXPECT_EQ(result.errors.count(u'\n'), 1) << result.errors.toStdString();
    }
    EXPECT_EQ(run({ QStringLiteral("--completion"), QStringLiteral("zsh") }).exitCode, 2);
}

TEST_F(HelpTest, ManualPageDescribesEveryCommandAndIsCleanRoff)
{
    const QString page = readText(QStringLiteral(SEMESTRA_CLI_MAN));
    EXPECT_EQ(page, runOk({ QStringLiteral("--man") }).out) << "the installed page is what the program writes";
    for (const QString& name : commands()) {
        EXPECT_TRUE(
            page.contains(QStringLiteral("\n.SS ") + QString(name).replace(u'-', QStringLiteral("\\-")) + u'\n'))
            << name.toStdString();
    }

    const QString groff = QStandardPaths::findExecutable(QStringLiteral("groff"));
    const QString man = QStandardPaths::findExecutable(QStringLiteral("man"));
    if (groff.isEmpty() || man.isEmpty())
        GTEST_SKIP() << "groff-base and man-db are needed to check the page";
    for (const auto& [program, arguments] :
        { std::pair { groff, QStringList { QStringLiteral("-man"), QStringLiteral("-ww"), QStringLiteral("-z") } },
            std::pair { man, QStringList { QStringLiteral("--warnings"), QStringLiteral("-l") } } }) {
        QProcess check;
        check.start(program, arguments + QStringList { QStringLiteral(SEMESTRA_CLI_MAN) });
        check.closeWriteChannel();
        ASSERT_TRUE(check.waitForFinished(30000));
        EXPECT_EQ(check.exitCode(), 0) << program.toStdString();
        EXPECT_EQ(check.readAllStandardError(), QByteArray()) << program.toStdString();
    }
}

TEST_F(HelpTest, CompletionOffersCommandsTheirOwnOptionsAndFiles)
{
    EXPECT_TRUE(bash(QStringLiteral("complete -p semestra-cli")).out.contains(u"-F _semestra_cli"));

    EXPECT_EQ(completions({ QStringLiteral("semestra-cli"), QString() }).size(), commands().size() + 3);
    EXPECT_EQ(
        completions({ QStringLiteral("semestra-cli"), QStringLiteral("bu") }), QStringList { QStringLiteral("bump") });
    EXPECT_EQ(completions({ QStringLiteral("semestra-cli"), QStringLiteral("standard-") }),
        (QStringList { QStringLiteral("standard-add"), QStringLiteral("standard-remove") }));
    EXPECT_EQ(completions({ QStringLiteral("semestra-cli"), QStringLiteral("help"), QStringLiteral("calendar") }),
        QStringList { QStringLiteral("calendar-sync") });

    EXPECT_EQ(completions({ QStringLiteral("semestra-cli"), QStringLiteral("cancel"), QStringLiteral("y.semestra"),
                  QStringLiteral("--d") }),
        (QStringList { QStringLiteral("--date"), QStringLiteral("--delete") }));
    EXPECT_TRUE(
        completions({ QStringLiteral("semestra-cli"), QStringLiteral("bump"), QStringLiteral("--b") }).isEmpty())
        << "bump has no option of that name, though cancel has";
    EXPECT_TRUE(
        completions({ QStringLiteral("semestra-cli"), QStringLiteral("frobnicate"), QStringLiteral("--") }).isEmpty());

    QFile year(path(QStringLiteral("year one.semestra")));
    ASSERT_TRUE(year.open(QIODevice::WriteOnly));
    year.close();
    EXPECT_EQ(completions({ QStringLiteral("semestra-cli"), QStringLiteral("info"), QStringLiteral("ye") }),
        QStringList { QStringLiteral("year one.semestra") });
}
