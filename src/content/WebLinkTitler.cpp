#include "content/WebLinkTitler.h"

#include "model/AttachedWebLink.h"
#include "store/ObjectContext.h"

WebLinkTitler::WebLinkTitler(QObject* parent)
    : WebLinkTitler(PageTitleFetcher(), parent)
{
}

WebLinkTitler::WebLinkTitler(PageTitleFetcher fetcher, QObject* parent)
    : QObject(parent)
    , m_lookup(fetcher)
{
    connect(&m_lookup, &PageTitleLookup::found, this, &WebLinkTitler::titleFound);
    connect(&m_lookup, &PageTitleLookup::failed, this, [this](const QString& url) { titleFound(url, QString()); });
}

void WebLinkTitler::nameWhenFound(AttachedWebLink* link)
{
    const QString url = link->url();
    const bool alreadyAsked = m_waiting.contains(url);
    // The record is found again by its identity: it may be deleted while the
    // page loads.
    m_waiting.insert(url, Waiting { &link->context(), link->objectURI() });
    if (!alreadyAsked)
        m_lookup.lookUp(url);
}

void WebLinkTitler::titleFound(const QString& url, const QString& title)
{
    const QList<Waiting> waiting = m_waiting.values(url);
    m_waiting.remove(url);
    if (!title.isEmpty()) {
        for (const Waiting& entry : waiting) {
            auto* link = dynamic_cast<AttachedWebLink*>(entry.context->objectWithURI(entry.uri));
            if (link && !link->isDeleted() && link->name() == link->url())
                link->setValue(u"name", title);
        }
    }
    emit settled(url);
}
