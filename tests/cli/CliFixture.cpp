#include "cli/CliFixture.h"

#include <QDate>
#include <QFile>
#include <QJsonDocument>
#include <QProcess>

CliRun CliFixture::run(const QStringList& arguments, const QHash<QString, QString>& extra) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_folder.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder.filePath(QStringLiteral("config")));
    for (auto entry = extra.cbegin(); entry != extra.cend(); ++entry)
        environment.insert(entry.key(), entry.value());
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder.path());
    process.start(QStringLiteral(SEMESTRA_CLI_PATH), arguments);
    // A command that reads standard input sees its end at once.
    process.closeWriteChannel();
    process.waitForFinished(120000);
    CliRun result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

CliRun CliFixture::runOk(const QStringList& arguments) const
{
    const CliRun result = run(arguments);
    EXPECT_TRUE(result.succeeded()) << arguments.join(u' ').toStdString() << ": " << result.errors.toStdString();
    return result;
}

QJsonArray CliFixture::days(const QString& file) const
{
    return QJsonDocument::fromJson(runOk({ QStringLiteral("days"), file, QStringLiteral("--json") }).out.toUtf8())
        .array();
}

QJsonObject CliFixture::info(const QString& file) const
{
    return QJsonDocument::fromJson(runOk({ QStringLiteral("info"), file, QStringLiteral("--json") }).out.toUtf8())
        .object();
}

QJsonArray CliFixture::schoolDays(const QString& file) const
{
    QJsonArray school;
    for (const QJsonValue& day : days(file)) {
        if (day[u"kind"].toString() == u"school")
            school.append(day);
    }
    return school;
}

QStringList CliFixture::lessonCourses(const QJsonObject& day) const
{
    QStringList courses;
    for (const QJsonValue& lesson : day.value(u"lessons").toArray())
        courses.append(lesson[u"course"].toString());
    return courses;
}

QString CliFixture::newTraditionalYear(const QStringList& courses, const QString& end) const
{
    const QString file = path(QStringLiteral("year.semestra"));
    QStringList arguments { QStringLiteral("new"), file, QStringLiteral("--start"), QStringLiteral("2025-09-08"),
        QStringLiteral("--end"), end, QStringLiteral("--days"), QStringLiteral("mon,tue,wed,thu,fri") };
    for (const QString& course : courses)
        arguments << QStringLiteral("--course") << course;
    runOk(arguments);
    return file;
}

int weekdayOf(const QJsonObject& day)
{
    return QDate::fromString(day.value(u"date").toString(), Qt::ISODate).dayOfWeek();
}
