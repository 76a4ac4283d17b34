#pragma once

#include "net/PageTitleLookup.h"

#include <QHash>
#include <QObject>

class AttachedWebLink;
class ObjectContext;

// Names new web links by their page's title once it arrives. A link is
// added at once, named by its address; the title replaces that name only
// while the teacher has not renamed the link and the link still exists. A
// failed lookup leaves the address as the name.
class WebLinkTitler : public QObject {
    Q_OBJECT
public:
    explicit WebLinkTitler(QObject* parent = nullptr);
    explicit WebLinkTitler(PageTitleFetcher fetcher, QObject* parent = nullptr);

    void nameWhenFound(AttachedWebLink* link);
    bool isWaiting() const { return !m_waiting.isEmpty(); }

signals:
    // A link took its page's title (or, with an empty title, kept its
    // address); lists that show it may reload.
    void settled(const QString& url);

private:
    struct Waiting {
        ObjectContext* context;
        QString uri;
    };
    void titleFound(const QString& url, const QString& title);

    PageTitleLookup m_lookup;
    QMultiHash<QString, Waiting> m_waiting;
};
