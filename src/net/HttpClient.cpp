#include "net/HttpClient.h"

#include "net/HttpTransfer.h"

#include <curl/curl.h>

#include <memory>
#include <mutex>

namespace {

struct Reception {
    HttpResponse* response = nullptr;
    qint64 maxBytes = 0;
};

size_t collectBody(char* data, size_t size, size_t count, void* target)
{
    auto* reception = static_cast<Reception*>(target);
    const auto length = qint64(size * count);
    if (reception->response->body.size() + length > reception->maxBytes)
        return 0; // stops the transfer
    reception->response->body.append(data, qsizetype(length));
    return size * count;
}

size_t collectHeader(char* data, size_t size, size_t count, void* target)
{
    auto* response = static_cast<HttpResponse*>(target);
    const QByteArray line = QByteArray(data, qsizetype(size * count)).trimmed();
    // Each response of a redirect or a 100 Continue starts with a status line.
    if (line.startsWith("HTTP/"))
        response->headers.clear();
    const qsizetype colon = line.indexOf(':');
    if (colon <= 0)
        return size * count;
    const QByteArray name = line.left(colon).trimmed().toLower();
    const QByteArray value = line.mid(colon + 1).trimmed();
    // Cookies cannot be folded into one line with commas: each keeps a line.
    const auto existing = response->headers.find(name);
    if (name == "set-cookie" && existing != response->headers.end())
        existing.value() += '\n' + value;
    else
        response->headers.insert(name, value);
    return size * count;
}

int watchTransfer(void* target, curl_off_t, curl_off_t, curl_off_t, curl_off_t uploaded)
{
    auto* transfer = static_cast<HttpTransfer*>(target);
    transfer->bytesSent.store(qint64(uploaded));
    return transfer->stopRequested.load() ? 1 : 0; // non-zero aborts the transfer
}

void initialiseCurlOnce()
{
    static std::once_flag once;
    std::call_once(once, [] { curl_global_init(CURL_GLOBAL_DEFAULT); });
}

struct CurlFree {
    void operator()(CURL* handle) const { curl_easy_cleanup(handle); }
    void operator()(curl_slist* list) const { curl_slist_free_all(list); }
};

} // namespace

HttpResponse HttpClient::send(const HttpRequest& request) const
{
    HttpResponse response;
    initialiseCurlOnce();
    const std::unique_ptr<CURL, CurlFree> curl(curl_easy_init());
    if (!curl) {
        response.transportError = QStringLiteral("the network library could not start");
        return response;
    }
    CURL* handle = curl.get();
    const QByteArray url = request.url.toUtf8();
    const QByteArray user = request.user.toUtf8();
    const QByteArray password = request.password.toUtf8();
    std::unique_ptr<curl_slist, CurlFree> headers;
    for (const auto& [name, value] : request.headers)
        headers.reset(curl_slist_append(headers.release(), (name + ": " + value).constData()));
    Reception reception { &response, m_limits.maxBytes };
    curl_easy_setopt(handle, CURLOPT_URL, url.constData());
    curl_easy_setopt(handle, CURLOPT_PROTOCOLS_STR, "http,https");
    curl_easy_setopt(handle, CURLOPT_CUSTOMREQUEST, request.method.constData());
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYPEER, 1L);
    curl_easy_setopt(handle, CURLOPT_SSL_VERIFYHOST, 2L);
    curl_easy_setopt(handle, CURLOPT_CONNECTTIMEOUT_MS, long(m_limits.connectTimeout.count()));
    curl_easy_setopt(handle, CURLOPT_TIMEOUT_MS, long(m_limits.timeout.count()));
    curl_easy_setopt(handle, CURLOPT_NOSIGNAL, 1L);
    curl_easy_setopt(handle, CURLOPT_USERAGENT, "Semestra");
    curl_easy_setopt(handle, CURLOPT_HTTPHEADER, headers.get());
    if (!request.body.isEmpty() || request.method != "GET") {
        curl_easy_setopt(handle, CURLOPT_POSTFIELDS, request.body.constData());
        curl_easy_setopt(handle, CURLOPT_POSTFIELDSIZE_LARGE, curl_off_t(request.body.size()));
    }
    if (!request.user.isEmpty()) {
        curl_easy_setopt(handle, CURLOPT_HTTPAUTH, long(CURLAUTH_BASIC));
        curl_easy_setopt(handle, CURLOPT_USERNAME, user.constData());
        curl_easy_setopt(handle, CURLOPT_PASSWORD, password.constData());
    }
    curl_easy_setopt(handle, CURLOPT_WRITEFUNCTION, &collectBody);
    curl_easy_setopt(handle, CURLOPT_WRITEDATA, &reception);
    curl_easy_setopt(handle, CURLOPT_HEADERFUNCTION, &collectHeader);
    curl_easy_setopt(handle, CURLOPT_HEADERDATA, &response);
    if (request.transfer) {
        curl_easy_setopt(handle, CURLOPT_NOPROGRESS, 0L);
        curl_easy_setopt(handle, CURLOPT_XFERINFOFUNCTION, &watchTransfer);
        curl_easy_setopt(handle, CURLOPT_XFERINFODATA, request.transfer.get());
    }
    const CURLcode result = curl_easy_perform(handle);
    if (result != CURLE_OK) {
        response.status = 0;
        response.transportError = result == CURLE_ABORTED_BY_CALLBACK ? QStringLiteral("the request was stopped")
                                                                      : QString::fromUtf8(curl_easy_strerror(result));
        return response;
    }
    curl_easy_getinfo(handle, CURLINFO_RESPONSE_CODE, &response.status);
    return response;
}
