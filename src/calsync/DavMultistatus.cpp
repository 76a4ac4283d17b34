#include "calsync/DavMultistatus.h"

#include <QXmlStreamReader>

namespace {

const QString dav = QStringLiteral("DAV:");
const QString caldav = QStringLiteral("urn:ietf:params:xml:ns:caldav");

bool is(const QXmlStreamReader& xml, const QString& ns, const char* name)
{
    return xml.namespaceUri() == ns && xml.name() == QLatin1String(name);
}

// The text of the first <href> inside the current element.
QString hrefInside(QXmlStreamReader& xml)
{
    QString href;
    while (xml.readNextStartElement()) {
        if (href.isEmpty() && is(xml, dav, "href"))
            href = xml.readElementText().trimmed();
        else
            xml.skipCurrentElement();
    }
    return href;
}

bool containsCalendar(QXmlStreamReader& xml)
{
    bool calendar = false;
    while (xml.readNextStartElement()) {
        calendar = calendar || is(xml, caldav, "calendar");
        xml.skipCurrentElement();
    }
    return calendar;
}

void readProp(QXmlStreamReader& xml, DavResource& resource)
{
    while (xml.readNextStartElement()) {
        if (is(xml, dav, "resourcetype"))
            resource.isCalendar = containsCalendar(xml);
        else if (is(xml, dav, "displayname"))
            resource.displayName = xml.readElementText().trimmed();
        else if (is(xml, dav, "getetag"))
            resource.etag = xml.readElementText().trimmed().toUtf8();
        else if (is(xml, caldav, "calendar-data"))
            resource.calendarData = xml.readElementText().toUtf8();
        else if (is(xml, dav, "current-user-principal"))
            resource.principal = hrefInside(xml);
        else if (is(xml, caldav, "calendar-home-set"))
            resource.calendarHome = hrefInside(xml);
        else
            xml.skipCurrentElement();
    }
}

void readPropstat(QXmlStreamReader& xml, DavResource& resource)
{
    DavResource found;
    bool ok = true;
    while (xml.readNextStartElement()) {
        if (is(xml, dav, "prop"))
            readProp(xml, found);
        else if (is(xml, dav, "status"))
            ok = xml.readElementText().contains(QLatin1String(" 200"));
        else
            xml.skipCurrentElement();
    }
    if (!ok)
        return;
    resource.isCalendar = resource.isCalendar || found.isCalendar;
    for (auto [target, source] :
        { std::pair { &resource.displayName, &found.displayName }, std::pair { &resource.principal, &found.principal },
            std::pair { &resource.calendarHome, &found.calendarHome } }) {
        if (!source->isEmpty())
            *target = *source;
    }
    if (!found.etag.isEmpty())
        resource.etag = found.etag;
    if (!found.calendarData.isEmpty())
        resource.calendarData = found.calendarData;
}

DavResource readResponse(QXmlStreamReader& xml)
{
    DavResource resource;
    while (xml.readNextStartElement()) {
        if (is(xml, dav, "href"))
            resource.href = xml.readElementText().trimmed();
        else if (is(xml, dav, "propstat"))
            readPropstat(xml, resource);
        else
            xml.skipCurrentElement();
    }
    return resource;
}

} // namespace

QList<DavResource> DavMultistatus::parse(const QByteArray& body)
{
    QList<DavResource> resources;
    QXmlStreamReader xml(body);
    if (!xml.readNextStartElement() || !is(xml, dav, "multistatus"))
        return resources;
    while (xml.readNextStartElement()) {
        if (is(xml, dav, "response"))
            resources.append(readResponse(xml));
        else
            xml.skipCurrentElement();
    }
    return resources;
}
