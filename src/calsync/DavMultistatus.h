#pragma once

#include <QByteArray>
#include <QList>
#include <QString>

// One resource of a WebDAV multistatus answer, with the properties the
// calendar store asks for.
struct DavResource {
    QString href;
    bool isCalendar = false;
    QString displayName;
    QByteArray etag;
    QByteArray calendarData;
    QString principal;
    QString calendarHome;
};

// Reads a 207 Multi-Status body. Properties reported with a status other
// than 200 are left out, as if absent.
class DavMultistatus {
public:
    static QList<DavResource> parse(const QByteArray& body);
};
