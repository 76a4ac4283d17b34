#include "net/PageTitleLookup.h"

#include <QCoreApplication>
#include <QPointer>
#include <QThreadPool>

PageTitleLookup::PageTitleLookup(QObject* parent)
    : QObject(parent)
{
}

PageTitleLookup::PageTitleLookup(PageTitleFetcher fetcher, QObject* parent)
    : QObject(parent)
    , m_fetcher(fetcher)
{
}

void PageTitleLookup::lookUp(const QString& url)
{
    // The lookup may be gone by the time the page arrives: the answer then
    // goes nowhere. The pointer is read only on the application's thread,
    // where the lookup lives and dies.
    QPointer<PageTitleLookup> receiver(this);
    const PageTitleFetcher fetcher = m_fetcher;
    QThreadPool::globalInstance()->start([receiver, fetcher, url] {
        const std::optional<QString> title = fetcher.fetchTitle(url);
        QMetaObject::invokeMethod(
            QCoreApplication::instance(),
            [receiver, url, title] {
                if (!receiver)
                    return;
                if (title)
                    emit receiver->found(url, *title);
                else
                    emit receiver->failed(url);
            },
            Qt::QueuedConnection);
    });
}
