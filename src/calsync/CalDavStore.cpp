#include "calsync/CalDavStore.h"

#include "calsync/DavMultistatus.h"
#include "calsync/ICalComponents.h"

#include <QUuid>

const QString CalDavStore::storeType = QStringLiteral("CalDAV");
const QString CalDavStore::passwordService = QStringLiteral("Semestra Calendar Server");

QString CalDavStore::passwordAccount(const QUrl& address, const QString& user)
{
    return QStringLiteral("%1@%2").arg(user, address.host());
}

namespace {

const QByteArray xmlHead = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n";
const QByteArray namespaces = " xmlns:d=\"DAV:\" xmlns:c=\"urn:ietf:params:xml:ns:caldav\"";

QByteArray escaped(const QString& text)
{
    return text.toHtmlEscaped().toUtf8();
}

QByteArray discoveryBody()
{
    return xmlHead + "<d:propfind" + namespaces
        + "><d:prop><d:current-user-principal/><c:calendar-home-set/><d:resourcetype/></d:prop></d:propfind>";
}

QByteArray calendarsBody()
{
    return xmlHead + "<d:propfind" + namespaces + "><d:prop><d:resourcetype/><d:displayname/></d:prop></d:propfind>";
}

QByteArray queryBody(const QByteArray& eventFilter)
{
    return xmlHead + "<c:calendar-query" + namespaces
        + "><d:prop><d:getetag/><c:calendar-data/></d:prop><c:filter><c:comp-filter name=\"VCALENDAR\">"
        + "<c:comp-filter name=\"VEVENT\"" + (eventFilter.isEmpty() ? "/>" : ">" + eventFilter + "</c:comp-filter>")
        + "</c:comp-filter></c:filter></c:calendar-query>";
}

QByteArray uidFilter(const QString& uid)
{
    return "<c:prop-filter name=\"UID\"><c:text-match collation=\"i;octet\">" + escaped(uid)
        + "</c:text-match></c:prop-filter>";
}

QByteArray mkcalendarBody(const QString& title)
{
    return xmlHead + "<c:mkcalendar" + namespaces + "><d:set><d:prop><d:displayname>" + escaped(title)
        + "</d:displayname><c:supported-calendar-component-set><c:comp name=\"VEVENT\"/>"
        + "</c:supported-calendar-component-set></d:prop></d:set></c:mkcalendar>";
}

QUrl asCollection(QUrl url)
{
    if (!url.path().endsWith(QLatin1Char('/')))
        url.setPath(url.path() + QLatin1Char('/'));
    return url;
}

// A path segment made of the UID's safe characters; others name their
// objects as they like, so hrefs are only ever taken from the server.
QString objectName(const QString& uid)
{
    QString name;
    for (const QChar c : uid)
        name += c.isLetterOrNumber() && c.unicode() < 128 ? c : QLatin1Char('-');
    return name.left(120) + QStringLiteral(".ics");
}

} // namespace

CalDavStore::CalDavStore(QUrl address, QString user, QString password, HttpClient client)
    : m_address(std::move(address))
    , m_user(std::move(user))
    , m_password(std::move(password))
    , m_client(client)
{ }

bool CalDavStore::isSafeAddress(const QUrl& address)
{
    if (address.scheme() == QLatin1String("https"))
        return true;
    if (address.scheme() != QLatin1String("http"))
        return false;
    const QString host = address.host();
    return host == QLatin1String("localhost") || host == QLatin1String("::1") || host.startsWith(QLatin1String("127."));
}

HttpResponse CalDavStore::send(
    QByteArray method, const QUrl& url, const QByteArray& body, QList<QPair<QByteArray, QByteArray>> headers) const
{
    HttpRequest request;
    request.method = std::move(method);
    request.url = url.toString(QUrl::FullyEncoded);
    request.body = body;
    request.user = m_user;
    request.password = m_password;
    request.headers = std::move(headers);
    return m_client.send(request);
}

CalendarStore::Outcome CalDavStore::failureOf(const HttpResponse& response, const QString& what) const
{
    if (!response.answered())
        return error(Failure::Unavailable,
            QStringLiteral("The calendar server at %1 could not be reached: %2")
                .arg(location(), response.transportError));
    if (response.status == 401 || response.status == 403)
        return error(Failure::Unauthorized,
            QStringLiteral("The calendar server at %1 did not accept the user name and password.").arg(location()));
    if (response.status == 412)
        return error(Failure::Conflict, QStringLiteral("%1 was changed on the server meanwhile.").arg(what));
    return error(Failure::Other, QStringLiteral("The server answered %1 to %2.").arg(response.status).arg(what));
}

Result<QList<DavResource>> CalDavStore::propfind(const QUrl& url, int depth, const QByteArray& body) const
{
    const HttpResponse response = send("PROPFIND", url, body,
        { { "Depth", QByteArray::number(depth) }, { "Content-Type", "application/xml; charset=utf-8" } });
    if (response.status != 207) {
        const Outcome failed = failureOf(response, QStringLiteral("the calendar search"));
        return Result<QList<DavResource>>::failure(failed->message);
    }
    return DavMultistatus::parse(response.body);
}

CalendarStore::Outcome CalDavStore::open()
{
    m_calendars.clear();
    if (!m_address.isValid() || m_address.host().isEmpty())
        return error(Failure::Unavailable, QStringLiteral("%1 is not a server address.").arg(m_address.toString()));
    if (!isSafeAddress(m_address))
        return error(Failure::Unavailable,
            QStringLiteral("Passwords are sent only over https; %1 is not an https address.").arg(location()));
    if (Outcome failed = findCalendarHome())
        return failed;
    return listCalendars();
}

// The account's calendars live in its calendar home, named by its principal;
// an address that names neither is taken to be the home itself.
CalendarStore::Outcome CalDavStore::findCalendarHome()
{
    const HttpResponse response = send("PROPFIND", m_address, discoveryBody(),
        { { "Depth", "0" }, { "Content-Type", "application/xml; charset=utf-8" } });
    if (response.status != 207)
        return failureOf(response, QStringLiteral("the calendar search"));
    m_home = asCollection(m_address);
    const QList<DavResource> found = DavMultistatus::parse(response.body);
    const DavResource here = found.value(0);
    if (!here.calendarHome.isEmpty()) {
        m_home = asCollection(m_address.resolved(QUrl(here.calendarHome)));
        return std::nullopt;
    }
    if (here.principal.isEmpty())
        return std::nullopt;
    const Result<QList<DavResource>> principal = propfind(m_address.resolved(QUrl(here.principal)), 0, discoveryBody());
    if (!principal)
        return error(Failure::Unavailable, principal.error());
    if (!principal->isEmpty() && !principal->first().calendarHome.isEmpty())
        m_home = asCollection(m_address.resolved(QUrl(principal->first().calendarHome)));
    return std::nullopt;
}

CalendarStore::Outcome CalDavStore::listCalendars()
{
    const HttpResponse response = send("PROPFIND", m_home, calendarsBody(),
        { { "Depth", "1" }, { "Content-Type", "application/xml; charset=utf-8" } });
    if (response.status != 207)
        return failureOf(response, QStringLiteral("the calendar list"));
    for (const DavResource& resource : DavMultistatus::parse(response.body)) {
        if (!resource.isCalendar)
            continue;
        const QUrl url = asCollection(m_home.resolved(QUrl(resource.href)));
        const QString title = resource.displayName.isEmpty() ? url.fileName(QUrl::FullyDecoded) : resource.displayName;
        if (!title.isEmpty() && !m_calendars.contains(title))
            m_calendars.insert(title, url);
    }
    return std::nullopt;
}

QList<CalendarInfo> CalDavStore::calendars() const
{
    QList<CalendarInfo> all;
    for (auto calendar = m_calendars.cbegin(); calendar != m_calendars.cend(); ++calendar)
        all.append({ calendar.key(), storeType });
    std::sort(all.begin(), all.end(), [](const CalendarInfo& a, const CalendarInfo& b) { return a.title < b.title; });
    return all;
}

CalendarStore::Outcome CalDavStore::createCalendar(const QString& title)
{
    if (m_calendars.contains(title))
        return std::nullopt;
    const QUrl url = m_home.resolved(QUrl(QUuid::createUuid().toString(QUuid::WithoutBraces) + QLatin1Char('/')));
    const HttpResponse response
        = send("MKCALENDAR", url, mkcalendarBody(title), { { "Content-Type", "application/xml; charset=utf-8" } });
    if (!response.succeeded())
        return failureOf(response, QStringLiteral("making the calendar %1").arg(title));
    m_calendars.insert(title, url);
    return std::nullopt;
}

Result<QList<StoredEvent>> CalDavStore::query(const QString& calendar, const QByteArray& filter) const
{
    using Found = Result<QList<StoredEvent>>;
    const QUrl collection = m_calendars.value(calendar);
    const HttpResponse response = send("REPORT", collection, queryBody(filter),
        { { "Depth", "1" }, { "Content-Type", "application/xml; charset=utf-8" } });
    if (response.status != 207)
        return Found::failure(failureOf(response, QStringLiteral("reading %1").arg(calendar))->message);
    QList<StoredEvent> found;
    for (const DavResource& resource : DavMultistatus::parse(response.body)) {
        const ComponentPointer object = ICalComponents::parseCalendar(resource.calendarData);
        icalcomponent* vevent
            = object ? icalcomponent_get_first_component(object.get(), ICAL_VEVENT_COMPONENT) : nullptr;
        if (!vevent)
            continue;
        StoredEvent event = ICalComponents::readEvent(vevent, calendar);
        event.href = collection.resolved(QUrl(resource.href)).toString(QUrl::FullyEncoded);
        event.etag = resource.etag;
        event.data = resource.calendarData;
        found.append(event);
    }
    return found;
}

Result<QList<StoredEvent>> CalDavStore::events(const QString& calendar)
{
    if (!m_calendars.contains(calendar))
        return QList<StoredEvent>();
    return query(calendar, {});
}

Result<std::optional<StoredEvent>> CalDavStore::findEvent(const QString& uid)
{
    using Found = Result<std::optional<StoredEvent>>;
    for (auto calendar = m_calendars.cbegin(); calendar != m_calendars.cend(); ++calendar) {
        const Result<QList<StoredEvent>> matches = query(calendar.key(), uidFilter(uid));
        if (!matches)
            return Found::failure(matches.error());
        // The text match finds the UID inside longer ones too.
        for (const StoredEvent& event : *matches) {
            if (event.event.uid == uid)
                return std::optional<StoredEvent>(event);
        }
    }
    return std::optional<StoredEvent>();
}

// An event read before is written back as the server sent it, with only the
// planner's properties changed.
QByteArray CalDavStore::objectFor(const CalendarEvent& event, const QString& owner, const StoredEvent* previous) const
{
    ComponentPointer object = previous ? ICalComponents::parseCalendar(previous->data) : ComponentPointer();
    icalcomponent* vevent = object ? icalcomponent_get_first_component(object.get(), ICAL_VEVENT_COMPONENT) : nullptr;
    if (!vevent) {
        object = ICalComponents::newCalendar(QString());
        vevent = ICalComponents::newEvent(event, owner).release();
        icalcomponent_add_component(object.get(), vevent);
    } else {
        ICalComponents::writeEvent(vevent, event, owner);
    }
    if (!event.allDay)
        ICalComponents::addTimeZone(object.get(), event.timeZone);
    return ICalComponents::text(object.get());
}

CalendarStore::Outcome CalDavStore::saveEvent(
    const QString& calendar, const CalendarEvent& event, const QString& owner, const StoredEvent* previous)
{
    if (!m_calendars.contains(calendar))
        return error(Failure::Other, QStringLiteral("calendar not found: %1").arg(calendar));
    const bool inPlace = previous && previous->calendar == calendar && !previous->href.isEmpty();
    const QUrl url = inPlace ? QUrl(previous->href) : m_calendars.value(calendar).resolved(QUrl(objectName(event.uid)));
    const QPair<QByteArray, QByteArray> condition = inPlace ? qMakePair(QByteArray("If-Match"), previous->etag)
                                                            : qMakePair(QByteArray("If-None-Match"), QByteArray("*"));
    const HttpResponse response = send("PUT", url, objectFor(event, owner, previous),
        { { "Content-Type", "text/calendar; charset=utf-8" }, condition });
    if (!response.succeeded())
        return failureOf(response, QStringLiteral("The event \"%1\"").arg(event.title));
    countWrite();
    if (previous && !inPlace && !previous->href.isEmpty())
        return deleteEvent(*previous);
    return std::nullopt;
}

CalendarStore::Outcome CalDavStore::deleteEvent(const StoredEvent& event)
{
    QList<QPair<QByteArray, QByteArray>> headers;
    if (!event.etag.isEmpty())
        headers.append({ "If-Match", event.etag });
    const HttpResponse response = send("DELETE", QUrl(event.href), {}, headers);
    // Gone already is as good as deleted.
    if (!response.succeeded() && response.status != 404)
        return failureOf(response, QStringLiteral("The event \"%1\"").arg(event.event.title));
    countWrite();
    return std::nullopt;
}
