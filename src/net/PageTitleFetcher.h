#pragma once

#include <QString>

#include <chrono>
#include <optional>

// Fetches a web page and reads its title. Blocking: run it off the GUI
// thread (PageTitleLookup does). Only http and https are fetched, also
// through redirects; an error status, a failed transfer or a page without
// a title give no title, so an error page never names a link.
class PageTitleFetcher {
public:
    struct Limits {
        int maxRedirects = 5;
        qint64 maxBytes = 1024 * 1024;
        std::chrono::milliseconds timeout { 10000 };
    };

    PageTitleFetcher() = default;
    explicit PageTitleFetcher(Limits limits)
        : m_limits(limits)
    {
    }

    std::optional<QString> fetchTitle(const QString& url) const;

private:
    Limits m_limits;
};
