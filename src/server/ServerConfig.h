#pragma once

#include <QString>

#include <optional>

// Where the service keeps its records: one SQLite file, or a PostgreSQL
// database that several server processes share.
struct DatabaseUrl {
    enum class Kind { Sqlite, Postgres };
    Kind kind = Kind::Sqlite;
    QString path; // SQLite file
    QString user;
    QString host;
    int port = 5432;
    QString database;

    // "sqlite:///ABSOLUTE/PATH" or "postgresql://USER@HOST[:PORT]/DB".
    static std::optional<DatabaseUrl> parse(const QString& url);
};

// The INI file given to `semestra-connect --config FILE`.
struct ServerConfig {
    QString listenHost = QStringLiteral("127.0.0.1");
    int listenPort = 8080;
    QString baseUrl = QStringLiteral("http://127.0.0.1:8080");
    DatabaseUrl database;
    QString filesFolder;
    bool signup = false;
    int threads = 8;
    bool accessLog = true;
    int readTimeoutSeconds = 30;
    int writeTimeoutSeconds = 30;

    // Fills in defaults for the keys the file leaves out; fails with a
    // one-line reason on an unreadable file or a bad value.
    static std::optional<ServerConfig> load(const QString& path, QString* error);
};
