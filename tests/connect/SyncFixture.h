#pragma once

#include "ConnectProcess.h"

#include <QMap>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <memory>

class Document;
class ScriptedAlertPresenter;
class ScriptedFileChooser;
class SyncConnection;

struct CliRun {
    int exitCode = -1;
    QString out;
    QString errors;
    bool succeeded() const { return exitCode == 0; }
};

// A semestra-connect of this build with the accounts "teacher" and
// "other", a folder for documents, and semestra-cli to drive them.
class SyncFixture : public ::testing::Test {
protected:
    static const QString password;

    SyncFixture();
    ~SyncFixture() override;
    void SetUp() override;

    QString path(const QString& name) const { return m_folder.filePath(name); }
    CliRun run(const QStringList& arguments, const QByteArray& input = {}) const;
    CliRun runOk(const QStringList& arguments) const;
    // `semestra-cli sync FILE` as the user, with the password on standard input.
    CliRun sync(const QString& file, const QString& user = QStringLiteral("teacher"), const QStringList& extra = {},
        const QString& userPassword = password) const;
    // A traditional year of two weeks with the courses Biology and History.
    QString smallYear() const;
    // A file of `bytes` bytes in the folder.
    QString writeFile(const QString& name, qint64 bytes) const;

    // A document opened in this process (the caller saves it).
    std::unique_ptr<Document> open(const QString& file);
    // A logged-in connection for reading what the service holds.
    SyncConnection& service();
    // A record's fields as the service holds them; empty when it has none.
    QMap<QString, QString> record(const QString& resource, const QString& id);
    QByteArray download(const QString& resource, const QString& id);
    // The requests the service answered since the last call.
    QStringList newRequests();

    // Variables set for semestra-cli on top of this process's environment;
    // an empty value removes the variable.
    QMap<QString, QString> m_cliEnvironment;
    ConnectProcess m_server;
    QTemporaryDir m_folder;
    std::unique_ptr<ScriptedAlertPresenter> m_alerts;
    std::unique_ptr<ScriptedFileChooser> m_files;
    std::unique_ptr<SyncConnection> m_service;
    qsizetype m_requestsSeen = 0;
};
