#pragma once

#include <QLocalServer>
#include <QObject>

#include <functional>
#include <optional>

class QLocalSocket;

// One Semestra per user. A launch first hands its files to the Semestra
// already running, which shows each (raising the window that already shows
// it, or opening it) and answers; only when none answers does the launch
// become the running one and listen for later launches. The socket lives in
// the user's runtime folder, so other users run their own.
//
// A request is one line, a JSON array of absolute file paths; the answer is
// one line, a JSON array with a word per file ("raised" or "opening"), or
// ["raised"] for a launch without files.
class RunningInstance : public QObject {
    Q_OBJECT
public:
    // Shows one handed file and says how.
    using FileHandler = std::function<QString(const QString& path)>;
    // Brings the planner to the front for a launch without files.
    using FrontHandler = std::function<QString()>;

    RunningInstance(FileHandler takeFile, FrontHandler raiseFront, QObject* parent = nullptr);

    // Hands the files to the running Semestra. The line to tell the user
    // what it did, or none when no Semestra runs or it did not answer.
    static std::optional<QString> handOver(const QStringList& files);
    // Listens for later launches, taking over the socket that a Semestra
    // which ended without closing it (a crash) left behind.
    bool listen();

private:
    static QString socketPath();
    void answer(QLocalSocket* socket);

    FileHandler m_takeFile;
    FrontHandler m_raiseFront;
    QLocalServer m_server;
};
