#pragma once

#include <QString>

// How one request to a file server ended. The kinds say what the caller
// does next: a refused item is one file's problem, the others end the
// whole upload.
struct TransferResult {
    enum class Kind {
        Done,
        // The server refused this file or folder (permissions, disk full).
        ItemRefused,
        // The user name or password was refused.
        LoginRefused,
        // No server, no answer, or the connection broke.
        ConnectionFailed,
        // Encryption was required and not offered, or the certificate or
        // host key could not be trusted.
        NotSecure,
        Cancelled,
    };

    Kind kind = Kind::Done;
    QString message;
    // The server's last reply code, 0 when it gave none.
    long replyCode = 0;

    bool ok() const { return kind == Kind::Done; }
    // Whether the upload cannot go on after this.
    bool endsSession() const { return kind != Kind::Done && kind != Kind::ItemRefused; }
};
