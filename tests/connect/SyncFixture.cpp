#include "SyncFixture.h"

#include "connect/ConnectSession.h"
#include "connect/SyncConnection.h"
#include "model/Document.h"
#include "testlib/MemoryPasswordStore.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"

#include <QFile>
#include <QProcess>
#include <QXmlStreamReader>

const QString SyncFixture::password = QStringLiteral("chalk-and-talk");

SyncFixture::SyncFixture() = default;
SyncFixture::~SyncFixture() = default;

void SyncFixture::SetUp()
{
    QString error;
    ASSERT_TRUE(m_server.start(&error)) << error.toStdString();
    ASSERT_TRUE(m_server.addUser(QStringLiteral("teacher"), password, &error)) << error.toStdString();
    ASSERT_TRUE(m_server.addUser(QStringLiteral("other"), password, &error)) << error.toStdString();
    m_alerts = std::make_unique<ScriptedAlertPresenter>();
    m_files = std::make_unique<ScriptedFileChooser>();
}

CliRun SyncFixture::run(const QStringList& arguments, const QByteArray& input) const
{
    QProcess process;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("HOME"), m_folder.path());
    environment.insert(QStringLiteral("XDG_CONFIG_HOME"), m_folder.filePath(QStringLiteral("config")));
    environment.insert(QStringLiteral("XDG_DATA_HOME"), m_folder.filePath(QStringLiteral("data")));
    for (auto it = m_cliEnvironment.begin(); it != m_cliEnvironment.end(); ++it) {
        if (it.value().isEmpty())
            environment.remove(it.key());
        else
            environment.insert(it.key(), it.value());
    }
    process.setProcessEnvironment(environment);
    process.setWorkingDirectory(m_folder.path());
    process.start(QStringLiteral(SEMESTRA_CLI_PATH), arguments);
    process.write(input);
    process.closeWriteChannel();
    process.waitForFinished(300000);
    CliRun result;
    result.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
    result.out = QString::fromUtf8(process.readAllStandardOutput());
    result.errors = QString::fromUtf8(process.readAllStandardError());
    return result;
}

CliRun SyncFixture::runOk(const QStringList& arguments) const
{
    const CliRun result = run(arguments);
    EXPECT_TRUE(result.succeeded()) << arguments.join(u' ').toStdString() << ": " << result.errors.toStdString();
    return result;
}

CliRun SyncFixture::sync(
    const QString& file, const QString& user, const QStringList& extra, const QString& userPassword) const
{
    return run(QStringList { QStringLiteral("sync"), file, QStringLiteral("--server"), m_server.address(),
                   QStringLiteral("--user"), user, QStringLiteral("--password-stdin") }
            + extra,
        (userPassword + QLatin1Char('\n')).toUtf8());
}

QString SyncFixture::smallYear() const
{
    const QString file = path(QStringLiteral("year.semestra"));
    runOk({ QStringLiteral("new"), file, QStringLiteral("--start"), QStringLiteral("2025-09-08"),
        QStringLiteral("--end"), QStringLiteral("2025-09-19"), QStringLiteral("--days"),
        QStringLiteral("mon,tue,wed,thu,fri"), QStringLiteral("--course"), QStringLiteral("Biology"),
        QStringLiteral("--course"), QStringLiteral("History") });
    return file;
}

QString SyncFixture::writeFile(const QString& name, qint64 bytes) const
{
    QFile file(path(name));
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    QByteArray block(64 * 1024, 0);
    for (int i = 0; i < block.size(); ++i)
        block[i] = char('a' + (i + name.size()) % 26);
    for (qint64 left = bytes; left > 0; left -= block.size())
        file.write(block.constData(), std::min<qint64>(left, block.size()));
    return file.fileName();
}

std::unique_ptr<Document> SyncFixture::open(const QString& file)
{
    auto document = std::make_unique<Document>(*m_alerts, *m_files);
    const Status opened = document->open(file);
    EXPECT_TRUE(opened) << opened.error().toStdString();
    return document;
}

SyncConnection& SyncFixture::service()
{
    if (!m_service) {
        m_service = std::make_unique<SyncConnection>(*ServiceAddress::parse(m_server.address()));
        MemoryPasswordStore keyring;
        const Status in = ConnectSession(*m_service, keyring).logIn(QStringLiteral("teacher"), password);
        EXPECT_TRUE(in) << in.error().toStdString();
    }
    return *m_service;
}

QMap<QString, QString> SyncFixture::record(const QString& resource, const QString& id)
{
    HttpRequest request;
    request.url = QStringLiteral("/%1/%2.xml").arg(resource, id.trimmed());
    const HttpResponse response = service().sendAndWait(request);
    QMap<QString, QString> fields;
    if (response.status != 200)
        return fields;
    QXmlStreamReader reader(response.body);
    reader.readNextStartElement();
    while (reader.readNextStartElement())
        fields.insert(reader.name().toString(), reader.readElementText());
    return fields;
}

QByteArray SyncFixture::download(const QString& resource, const QString& id)
{
    HttpRequest request;
    request.url = QStringLiteral("/%1/%2/download").arg(resource, id.trimmed());
    return service().sendAndWait(request).body;
}

QStringList SyncFixture::newRequests()
{
    const QStringList all = m_server.requests();
    const QStringList fresh = all.mid(m_requestsSeen);
    m_requestsSeen = all.size();
    return fresh;
}
