#include "net/FileTransferSession.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <curl/curl.h>

#include <cstdio>
#include <mutex>

struct FileTransferSession::Curl {
    CURL* handle = curl_easy_init();
    char error[CURL_ERROR_SIZE] = {};
    ~Curl() { curl_easy_cleanup(handle); }
};

struct CurlCallbacks {
    static int progress(void* data, curl_off_t, curl_off_t, curl_off_t, curl_off_t)
    {
        const auto* session = static_cast<FileTransferSession*>(data);
        return session->m_cancelled && session->m_cancelled->load() ? 1 : 0;
    }

    static int hostKey(CURL*, const curl_khkey*, const curl_khkey* found, curl_khmatch match, void* data)
    {
        auto* session = static_cast<FileTransferSession*>(data);
        if (match == CURLKHMATCH_OK)
            return CURLKHSTAT_FINE;
        const HostKey key = describe(*session, found);
        if (match == CURLKHMATCH_MISMATCH) {
            session->m_hostKeyProblem
                = QStringLiteral("the server's key (%1) is not the one %2 holds for it: the server may be an impostor")
                      .arg(key.fingerprint, QString::fromUtf8(session->m_knownHosts));
            return CURLKHSTAT_REJECT;
        }
        if (session->m_hostKeyCheck && session->m_hostKeyCheck(key))
            return CURLKHSTAT_FINE_ADD_TO_FILE;
        session->m_hostKeyProblem
            = QStringLiteral("the server's key (%1) is unknown and was not trusted").arg(key.fingerprint);
        return CURLKHSTAT_REJECT;
    }

    static HostKey describe(const FileTransferSession& session, const curl_khkey* found)
    {
        // A length of zero means the key comes as base64 text.
        const QByteArray key = found->len == 0 ? QByteArray::fromBase64(QByteArray(found->key))
                                               : QByteArray(found->key, qsizetype(found->len));
        const QByteArray digest
            = QCryptographicHash::hash(key, QCryptographicHash::Sha256).toBase64(QByteArray::OmitTrailingEquals);
        return { session.m_address.host(), session.m_address.port(), keyTypeName(found->keytype),
            QStringLiteral("SHA256:") + QString::fromLatin1(digest) };
    }

    static QString keyTypeName(curl_khtype type)
    {
        switch (type) {
        case CURLKHTYPE_RSA1:
        case CURLKHTYPE_RSA:
            return QStringLiteral("RSA");
        case CURLKHTYPE_DSS:
            return QStringLiteral("DSA");
        case CURLKHTYPE_ECDSA:
            return QStringLiteral("ECDSA");
        case CURLKHTYPE_ED25519:
            return QStringLiteral("ED25519");
        default:
            return QStringLiteral("unknown");
        }
    }
};

namespace {

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

QString defaultPrivateKey()
{
    for (const char* name : { "id_ed25519", "id_ecdsa", "id_rsa" }) {
        const QString path = QDir::home().filePath(QStringLiteral(".ssh/") + QLatin1String(name));
        if (QFile::exists(path))
            return path;
    }
    return {};
}

struct FileCloser {
    void operator()(FILE* file) const { std::fclose(file); }
};

TransferResult::Kind kindOf(CURLcode code)
{
    switch (code) {
    case CURLE_OK:
        return TransferResult::Kind::Done;
    case CURLE_LOGIN_DENIED:
        return TransferResult::Kind::LoginRefused;
    case CURLE_ABORTED_BY_CALLBACK:
        return TransferResult::Kind::Cancelled;
    case CURLE_USE_SSL_FAILED:
    case CURLE_SSL_CONNECT_ERROR:
    case CURLE_PEER_FAILED_VERIFICATION:
    case CURLE_SSL_CACERT_BADFILE:
    case CURLE_SSL_CERTPROBLEM:
        return TransferResult::Kind::NotSecure;
    case CURLE_UPLOAD_FAILED:
    case CURLE_REMOTE_ACCESS_DENIED:
    case CURLE_REMOTE_FILE_NOT_FOUND:
    case CURLE_REMOTE_DISK_FULL:
    case CURLE_REMOTE_FILE_EXISTS:
    case CURLE_QUOTE_ERROR:
    case CURLE_READ_ERROR:
    case CURLE_FILE_COULDNT_READ_FILE:
        return TransferResult::Kind::ItemRefused;
    default:
        return TransferResult::Kind::ConnectionFailed;
    }
}

// SFTP quote commands take a path in double quotes with backslash escapes.
QByteArray quotedPath(const QStringList& path)
{
    QByteArray joined = path.join(QLatin1Char('/')).toUtf8();
    joined.replace("\\", "\\\\").replace("\"", "\\\"");
    return '"' + joined + '"';
}

struct SlistFree {
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

FileTransferSession::FileTransferSession(TransferAddress address, QString user, QString password, Options options)
    : m_address(std::move(address))
    , m_user(user.toUtf8())
    , m_password(password.toUtf8())
    , m_options(std::move(options))
{
    initialiseCurlOnce();
    m_curl = std::make_unique<Curl>();
    m_knownHosts = (m_options.knownHostsFile.isEmpty() ? QDir::home().filePath(QStringLiteral(".ssh/known_hosts"))
                                                       : m_options.knownHostsFile)
                       .toLocal8Bit();
    m_privateKey = (m_options.privateKeyFile.isEmpty() ? defaultPrivateKey() : m_options.privateKeyFile).toLocal8Bit();
}

FileTransferSession::~FileTransferSession() = default;

// Every request starts from the defaults again: what one request set (an
// upload, a quote list) must not leak into the next. Resetting keeps the
// open connection.
void FileTransferSession::prepare(const QByteArray& url)
{
    CURL* curl = m_curl->handle;
    curl_easy_reset(curl);
    m_curl->error[0] = '\0';
    m_hostKeyProblem.clear();
    curl_easy_setopt(curl, CURLOPT_URL, url.constData());
    curl_easy_setopt(curl, CURLOPT_PROTOCOLS_STR, m_address.schemeName().toLatin1().constData());
    curl_easy_setopt(curl, CURLOPT_ERRORBUFFER, m_curl->error);
    curl_easy_setopt(curl, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(curl, CURLOPT_USERNAME, m_user.constData());
    curl_easy_setopt(curl, CURLOPT_PASSWORD, m_password.constData());
    curl_easy_setopt(curl, CURLOPT_CONNECTTIMEOUT_MS, long(m_options.connectTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_SERVER_RESPONSE_TIMEOUT, long((m_options.responseTimeout.count() + 999) / 1000));
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_LIMIT, 1L);
    curl_easy_setopt(curl, CURLOPT_LOW_SPEED_TIME, long(m_options.stallTimeout.count()));
    curl_easy_setopt(curl, CURLOPT_NOPROGRESS, 0L);
    curl_easy_setopt(curl, CURLOPT_XFERINFOFUNCTION, &CurlCallbacks::progress);
    curl_easy_setopt(curl, CURLOPT_XFERINFODATA, this);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(curl, CURLOPT_SSL_VERIFYHOST, 2L);
    if (!m_options.certificateAuthorities.isEmpty())
        curl_easy_setopt(curl, CURLOPT_CAINFO, m_options.certificateAuthorities.toLocal8Bit().constData());
    if (m_address.scheme() == TransferAddress::Scheme::Ftp)
        curl_easy_setopt(curl, CURLOPT_USE_SSL,
            long(m_options.encryption == Encryption::Required ? CURLUSESSL_ALL : CURLUSESSL_TRY));
    // Over TLS 1.3 the server sends session tickets on each data
    // connection that nobody reads; closing the connection then resets it,
    // and the server loses the end of the file while both sides report
    // success. TLS 1.2 sends none.
    if (m_address.scheme() != TransferAddress::Scheme::Sftp)
        curl_easy_setopt(curl, CURLOPT_SSLVERSION, long(CURL_SSLVERSION_TLSv1_2) | long(CURL_SSLVERSION_MAX_TLSv1_2));
    if (m_address.scheme() == TransferAddress::Scheme::Sftp) {
        curl_easy_setopt(curl, CURLOPT_SSH_AUTH_TYPES, long(CURLSSH_AUTH_ANY));
        curl_easy_setopt(curl, CURLOPT_SSH_KNOWNHOSTS, m_knownHosts.constData());
        curl_easy_setopt(curl, CURLOPT_SSH_KEYFUNCTION, &CurlCallbacks::hostKey);
        curl_easy_setopt(curl, CURLOPT_SSH_KEYDATA, this);
        // An empty public key file lets the library derive it from the
        // private key.
        curl_easy_setopt(curl, CURLOPT_SSH_PUBLIC_KEYFILE, "");
        if (!m_privateKey.isEmpty())
            curl_easy_setopt(curl, CURLOPT_SSH_PRIVATE_KEYFILE, m_privateKey.constData());
    }
}

TransferResult FileTransferSession::perform()
{
    const CURLcode code = curl_easy_perform(m_curl->handle);
    return describe(code);
}

TransferResult FileTransferSession::describe(int code)
{
    TransferResult result;
    const auto curlCode = CURLcode(code);
    result.kind = kindOf(curlCode);
    curl_easy_getinfo(m_curl->handle, CURLINFO_RESPONSE_CODE, &result.replyCode);
    if (result.ok())
        return result;
    const QString detail
        = m_curl->error[0] != '\0' ? QString::fromUtf8(m_curl->error) : QString::fromUtf8(curl_easy_strerror(curlCode));
    result.message = m_hostKeyProblem.isEmpty() ? detail : m_hostKeyProblem;
    if (result.replyCode != 0 && m_address.scheme() != TransferAddress::Scheme::Sftp)
        result.message += QStringLiteral(" (reply %1)").arg(result.replyCode);
    return result;
}

TransferResult FileTransferSession::makeFolder(const QStringList& path)
{
    if (m_address.scheme() == TransferAddress::Scheme::Sftp)
        return makeSftpFolder(path);
    // Changing into each folder, making it where that fails: a folder that
    // is already there is simply entered.
    prepare(m_address.url(path, true));
    curl_easy_setopt(m_curl->handle, CURLOPT_NOBODY, 1L);
    curl_easy_setopt(m_curl->handle, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR));
    curl_easy_setopt(m_curl->handle, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_MULTICWD));
    return perform();
}

// SFTP has no "enter or make": each folder of the path is made, failures
// ignored since "already there" and "not allowed" look alike, and then the
// folder is asked for; only a folder that is not there fails.
TransferResult FileTransferSession::makeSftpFolder(const QStringList& path)
{
    prepare(m_address.url({}, true));
    std::unique_ptr<curl_slist, SlistFree> commands;
    for (qsizetype depth = 1; depth <= path.size(); ++depth)
        commands.reset(curl_slist_append(commands.release(), "*mkdir " + quotedPath(path.first(depth))));
    curl_easy_setopt(m_curl->handle, CURLOPT_QUOTE, commands.get());
    curl_easy_setopt(m_curl->handle, CURLOPT_NOBODY, 1L);
    const TransferResult made = perform();
    if (!made.ok() || path.isEmpty())
        return made;
    prepare(m_address.url(path, false));
    curl_easy_setopt(m_curl->handle, CURLOPT_NOBODY, 1L);
    return perform();
}

TransferResult FileTransferSession::storeFile(const QString& localPath, const QStringList& path)
{
    const std::unique_ptr<FILE, FileCloser> file(std::fopen(QFile::encodeName(localPath).constData(), "rb"));
    if (!file)
        return { TransferResult::Kind::ItemRefused, QStringLiteral("the file could not be read"), 0 };
    prepare(m_address.url(path, false));
    curl_easy_setopt(m_curl->handle, CURLOPT_UPLOAD, 1L);
    curl_easy_setopt(m_curl->handle, CURLOPT_READDATA, file.get());
    curl_easy_setopt(m_curl->handle, CURLOPT_INFILESIZE_LARGE, curl_off_t(QFileInfo(localPath).size()));
    // One change of folder per folder: files of the same folder follow one
    // another on the reused connection. A missing folder is made on the
    // way, below a parent that is there.
    curl_easy_setopt(m_curl->handle, CURLOPT_FTP_FILEMETHOD, long(CURLFTPMETHOD_SINGLECWD));
    curl_easy_setopt(m_curl->handle, CURLOPT_FTP_CREATE_MISSING_DIRS, long(CURLFTP_CREATE_DIR));
    return perform();
}
