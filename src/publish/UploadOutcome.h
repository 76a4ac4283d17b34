#pragma once

#include <QStringList>

// How an upload of the site ended.
struct UploadOutcome {
    enum class Result {
        // Every file arrived.
        Uploaded,
        // The upload went through, but some files did not arrive.
        FilesFailed,
        // A connection, login or security failure ended it early.
        Stopped,
        Cancelled,
    };

    Result result = Result::Uploaded;
    int filesToSend = 0;
    int filesSent = 0;
    int filesFailed = 0;
    // For a stop: whether the login was refused, and what failed.
    bool loginRefused = false;
    QString failure;
    // One line per event, for the teacher who wants to know which files.
    QStringList log;

    bool succeeded() const { return result == Result::Uploaded; }
};
