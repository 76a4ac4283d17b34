#pragma once

#include <QProcess>
#include <QStringList>
#include <QTemporaryDir>

// Runs semestra-cli as a script would, in a home folder of its own (so its
// preferences and default calendar folder are scratch ones) and without a
// session bus, so no desktop keyring answers.
struct CliRunner {
    struct Run {
        int exitCode = -1;
        QString out;
        QString errors;
    };

    Run run(const QStringList& arguments, const QByteArray& input = {}) const
    {
        QProcess process;
        QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
        environment.insert(QStringLiteral("HOME"), home.path());
        environment.insert(QStringLiteral("XDG_CONFIG_HOME"), home.filePath(QStringLiteral("config")));
        environment.insert(QStringLiteral("XDG_DATA_HOME"), home.filePath(QStringLiteral("data")));
        environment.insert(QStringLiteral("DBUS_SESSION_BUS_ADDRESS"), QStringLiteral("unix:path=/nonexistent/bus"));
        process.setProcessEnvironment(environment);
        process.start(QStringLiteral(SEMESTRA_CLI_PATH), arguments);
        process.write(input);
        process.closeWriteChannel();
        process.waitForFinished(120000);
        return { process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardOutput()), QString::fromUtf8(process.readAllStandardError()) };
    }

    QString path(const QString& name) const { return home.filePath(name); }

    // A two-week traditional year with one titled Art lesson on its Monday.
    QString newYear() const
    {
        const QString file = path(QStringLiteral("Plan.semestra"));
        run({ QStringLiteral("new"), file, QStringLiteral("--start"), QStringLiteral("2025-09-08"),
            QStringLiteral("--end"), QStringLiteral("2025-09-19"), QStringLiteral("--days"),
            QStringLiteral("mon,tue,wed,thu,fri"), QStringLiteral("--course"), QStringLiteral("Art") });
        run({ QStringLiteral("set-lesson"), file, QStringLiteral("--course"), QStringLiteral("Art"),
            QStringLiteral("--date"), QStringLiteral("2025-09-08"), QStringLiteral("--title"),
            QStringLiteral("Colour wheel") });
        return file;
    }

    QTemporaryDir home;
};
