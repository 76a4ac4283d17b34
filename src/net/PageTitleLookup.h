#pragma once

#include "net/PageTitleFetcher.h"

#include <QObject>

// Looks page titles up on a worker thread and reports each on the
// application's thread, where the lookup lives, so a window never waits on
// the network.
class PageTitleLookup : public QObject {
    Q_OBJECT
public:
    explicit PageTitleLookup(QObject* parent = nullptr);
    explicit PageTitleLookup(PageTitleFetcher fetcher, QObject* parent = nullptr);

    // Starts a lookup; `found` or `failed` follows with the same url.
    void lookUp(const QString& url);

signals:
    void found(const QString& url, const QString& title);
    void failed(const QString& url);

private:
    PageTitleFetcher m_fetcher;
};
