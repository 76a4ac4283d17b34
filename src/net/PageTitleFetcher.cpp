#include "net/PageTitleFetcher.h"

#include "net/PageTitle.h"

#include <curl/curl.h>

#include <algorithm>
#include <memory>
#include <mutex>

namespace {

struct Download {
    QByteArray body;
    qint64 maxBytes = 0;
    bool full = false;
};

// Keeps at most maxBytes; a page cut there is still searched for its title,
// which sits near the top.
size_t collect(char* data, size_t size, size_t count, void* target)
{
    auto* download = static_cast<Download*>(target);
    const auto room = download->maxBytes - download->body.size();
    const auto length = qint64(size * count);
    download->body.append(data, qsizetype(std::min(room, length)));
    if (length > room) {
        download->full = true;
        return 0; // stops the transfer
    }
    return size * count;
}

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

using Handle = std::unique_ptr<CURL, decltype(&curl_easy_cleanup)>;

} // namespace

std::optional<QString> PageTitleFetcher::fetchTitle(const QString& url) const
{
    if (!url.startsWith(QLatin1String("http://"), Qt::CaseInsensitive)
        && !url.startsWith(QLatin1String("https://"), Qt::CaseInsensitive))
        return std::nullopt;
    initialiseCurlOnce();
    const Handle curl(curl_easy_init(), &curl_easy_cleanup);
    if (!curl)
        return std::nullopt;
    const QByteArray address = url.toUtf8();
    Download download { {}, m_limits.maxBytes, false };
    CURL* handle = curl.get();
    curl_easy_setopt(handle, CURLOPT_URL, address.constData());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_REDIR_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_FOLLOWLOCATION, 1L);
    curl_easy_setopt(handle, CURLOPT_MAXREDIRS, long(m_limits.maxRedirects));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(m_limits.timeout.count()));
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_ACCEPT_ENCODING, "");
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "Semestra");
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &collect);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &download);
    const CURLcode result = curl_easy_perform(handle);
    if (result != CURLE_OK && !(result == CURLE_WRITE_ERROR && download.full))
        return std::nullopt;
    long status = 0;
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &status);
    if (status < 200 || status >= 300)
        return std::nullopt;
    const char* contentType = nullptr;
    curl_easy_getinfo(handle, CURLINFO_CONTENT_TYPE, &contentType);
    return PageTitle::fromHtml(download.body, QByteArray(contentType));
}
