#pragma once

#include "foundation/core/Result.h"

#include <QByteArray>
#include <QStringList>

// Where a site goes: the protocol, the server and the folder below the
// account's login folder. Remote paths are lists of names; the URL encodes
// each name on its own, so that "#", "?", "%", spaces and accented letters
// reach the server as the names they are.
class TransferAddress {
public:
    enum class Scheme { Ftp, Ftps, Sftp };

    // "host", "host:port" or "scheme://host[:port][/folder]" with the scheme
    // ftp (TLS when the server offers it), ftps (TLS from the first byte) or
    // sftp. No port, or port 0, means the scheme's own.
    static Result<TransferAddress> parse(const QString& text);

    Scheme scheme() const { return m_scheme; }
    QString schemeName() const;
    const QString& host() const { return m_host; }
    int port() const { return m_port; }
    void setPort(int port);
    // The folder named in the address, as normalisedPath() gives it.
    const QStringList& folder() const { return m_folder; }
    void setFolder(const QString& path) { m_folder = normalisedPath(path); }

    static int defaultPort(Scheme scheme);
    // A remote folder as typed by the teacher, as names: slashes at either
    // end are dropped, and spaces become "_" as servers of old demanded.
    static QStringList normalisedPath(const QString& path);

    // The URL of a remote item below the login folder; a folder's URL ends
    // in "/". The server's own address when `path` is empty.
    QByteArray url(const QStringList& path, bool isFolder) const;
    // "host:port", for the teacher and the log.
    QString displayName() const;

private:
    Scheme m_scheme = Scheme::Ftp;
    QString m_host;
    int m_port = 21;
    QStringList m_folder;
};
