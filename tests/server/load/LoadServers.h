#pragma once

#include "PostgresCluster.h"

#include <QProcess>
#include <QTemporaryDir>

#include <memory>
#include <vector>

struct LoadOptions {
    QString backend = QStringLiteral("postgres");
    int servers = 2;
    int teachers = 50;
    int weeks = 40; // five school days each
    int courses = 6;
    int threads = 16; // worker threads of each server
    int files = 12; // attached files per teacher, 16 KiB each
};

// semestra-connect processes sharing one database (a throw-away PostgreSQL
// cluster or a SQLite file) and one files folder, on 127.0.0.1.
class LoadServers {
public:
    explicit LoadServers(LoadOptions options);
    ~LoadServers();

    bool start(QString* error);
    // Accounts "teacher0" … through `semestra-connect user add`.
    bool addTeachers(QString* error);
    int port(int server) const { return m_ports[size_t(server)]; }
    // SIGTERM to each; true when every one stopped cleanly.
    bool stop();

    static QString password() { return QStringLiteral("load-password"); }

private:
    QString writeConfig(int port, QString* error);

    LoadOptions m_options;
    QTemporaryDir m_dir;
    PostgresCluster m_cluster;
    QString m_database;
    std::vector<std::unique_ptr<QProcess>> m_processes;
    std::vector<int> m_ports;
};
