#pragma once

#include <QMetaType>
#include <QString>

// How a sync ended, for the status line, the alerts and the command line.
struct SyncOutcome {
    enum class State { Running, Completed, NotLoggedIn, WrongAccount, Failed, Cancelled };
    State state = State::Running;
    // Why a failed sync stopped.
    QString reason;
    int recordsSent = 0;
    int filesSent = 0;
    int filesFailed = 0;
    int deletesDone = 0;
    int deletesLeft = 0;

    bool completed() const { return state == State::Completed; }
};

Q_DECLARE_METATYPE(SyncOutcome)
