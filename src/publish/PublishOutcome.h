#pragma once

#include <QString>

// How a publish ended.
struct PublishOutcome {
    enum class Result { Published, Failed, Cancelled };

    Result result = Result::Published;
    // For a failure: the file or folder that could not be written, and why.
    QString failedPath;
    QString reason;
    int filesWritten = 0;
    int filesUnchanged = 0;

    bool published() const { return result == Result::Published; }
};
