#include "calsync/CalendarSyncRun.h"

using State = CalendarSyncOutcome::State;
using Failure = CalendarStore::Failure;

namespace {

QString quoted(const QString& title)
{
    return QLatin1Char('"') + title + QLatin1Char('"');
}

} // namespace

CalendarSyncRun::CalendarSyncRun(const CalendarSyncPlan& plan, CalendarStore& store)
    : m_plan(plan)
    , m_store(store)
{
    m_result.outcomes.resize(plan.items.size());
    m_result.location = store.location();
    m_result.storeType = store.type();
}

CalendarSyncResult CalendarSyncRun::run(const Progress& progress)
{
    if (!openStore())
        return m_result;
    checkForCalendarsAndCreateIfNecessary();
    if (!m_result.storeFailure && readCalendars()) {
        for (qsizetype index = 0; index < m_plan.items.size() && !m_result.storeFailure; ++index) {
            syncItem(index);
            if (progress)
                progress(index + 1, m_plan.items.size());
        }
        if (!m_result.storeFailure)
            deleteLeftovers();
    }
    closeStore();
    return m_result;
}

bool CalendarSyncRun::openStore()
{
    return !stopsRun(m_store.open());
}

bool CalendarSyncRun::stopsRun(const CalendarStore::Outcome& failed)
{
    if (!failed || (failed->failure != Failure::Unavailable && failed->failure != Failure::Unauthorized))
        return false;
    m_result.storeFailure = failed;
    return true;
}

// A calendar is known by its title here: the table's type says which store
// it was made in, and is brought up to date once the calendar is there.
void CalendarSyncRun::checkForCalendarsAndCreateIfNecessary()
{
    QSet<QString>& present = m_presentCalendars;
    for (const CalendarInfo& calendar : m_store.calendars())
        present.insert(calendar.title);
    for (const auto& [key, title] : m_plan.calendars) {
        if (!present.contains(title)) {
            const CalendarStore::Outcome failed = m_store.createCalendar(title);
            if (stopsRun(failed))
                return;
            if (failed) {
                if (!m_result.missingCalendars.contains(title))
                    m_result.missingCalendars.append(title);
                continue;
            }
            present.insert(title);
        }
        m_readyCalendars.insert(title);
        m_result.readyKeys.append(key);
    }
}

bool CalendarSyncRun::readCalendars()
{
    QSet<QString> calendars = m_readyCalendars;
    for (const QString& other : m_plan.otherCalendars) {
        if (m_presentCalendars.contains(other))
            calendars.insert(other);
    }
    for (const QString& calendar : std::as_const(calendars)) {
        const Result<QList<StoredEvent>> events = m_store.events(calendar);
        if (!events) {
            m_result.storeFailure = CalendarStore::Error { Failure::Unavailable, events.error() };
            return false;
        }
        for (const StoredEvent& event : *events)
            m_events.insert(event.event.uid, event);
    }
    return true;
}

std::optional<StoredEvent> CalendarSyncRun::existingEvent(const QString& uid, CalendarSyncOutcome& outcome)
{
    if (uid.isEmpty())
        return std::nullopt;
    const auto known = m_events.constFind(uid);
    if (known != m_events.cend())
        return *known;
    // Moved by the teacher to a calendar of their own, perhaps.
    const Result<std::optional<StoredEvent>> found = m_store.findEvent(uid);
    if (!found) {
        outcome = { State::Failed, found.error() };
        return std::nullopt;
    }
    return *found;
}

void CalendarSyncRun::syncItem(qsizetype index)
{
    const CalendarSyncItem& item = m_plan.items[index];
    CalendarSyncOutcome& outcome = m_result.outcomes[index];
    m_handled.insert(item.recordedUid);
    if (item.invalidTimes) {
        outcome = { State::InvalidTimes, {} };
        return;
    }
    if (item.event && !m_readyCalendars.contains(item.calendar)) {
        outcome = { State::CalendarMissing, QStringLiteral("calendar not found: %1").arg(item.calendar) };
        return;
    }
    const std::optional<StoredEvent> existing = existingEvent(item.recordedUid, outcome);
    if (outcome.state == State::Failed)
        return;
    outcome = item.event ? writeItem(item, existing) : removeItem(existing);
}

CalendarSyncOutcome CalendarSyncRun::writeItem(const CalendarSyncItem& item, const std::optional<StoredEvent>& existing)
{
    const CalendarEvent& event = *item.event;
    if (existing && existing->changedSinceWritten())
        return { State::Conflict, quoted(existing->event.title) };
    if (existing && existing->calendar == item.calendar && existing->writtenDigest == event.digest()
        && existing->owner == m_plan.owner)
        return { State::Unchanged, {} };
    const CalendarStore::Outcome failed
        = m_store.saveEvent(item.calendar, event, m_plan.owner, existing ? &*existing : nullptr);
    if (stopsRun(failed))
        return { State::Failed, failed->message };
    if (failed && failed->failure == Failure::Conflict)
        return { State::Conflict, quoted(event.title) };
    if (failed)
        return { State::Failed, failed->message };
    return { existing ? State::Updated : State::Written, {} };
}

CalendarSyncOutcome CalendarSyncRun::removeItem(const std::optional<StoredEvent>& existing)
{
    if (!existing)
        return { State::Forgotten, {} };
    const CalendarStore::Outcome failed = m_store.deleteEvent(*existing);
    if (stopsRun(failed))
        return { State::Failed, failed->message };
    if (failed && failed->failure == Failure::Conflict)
        return { State::Conflict, quoted(existing->event.title) };
    if (failed)
        return { State::Failed, failed->message };
    return { State::Deleted, {} };
}

// Events of this document that no record wants any more: a lesson cleared
// or moved off the end of its course, a removed course, a day that is a
// school day again, notes emptied. Others' events are never touched.
void CalendarSyncRun::deleteLeftovers()
{
    for (const StoredEvent& event : std::as_const(m_events)) {
        if (event.owner != m_plan.owner || m_plan.wantedUids.contains(event.event.uid)
            || m_handled.contains(event.event.uid))
            continue;
        const CalendarStore::Outcome failed = m_store.deleteEvent(event);
        if (stopsRun(failed))
            return;
        if (!failed)
            ++m_result.leftoversDeleted;
    }
}

// Calendar files are written only here: when that fails, nothing that
// looked done reached the calendars.
void CalendarSyncRun::closeStore()
{
    const CalendarStore::Outcome failed = m_store.close();
    if (!failed)
        return;
    if (!m_result.storeFailure)
        m_result.storeFailure = failed;
    for (CalendarSyncOutcome& outcome : m_result.outcomes) {
        if (outcome.state == State::Written || outcome.state == State::Updated || outcome.state == State::Deleted)
            outcome = { State::Failed, failed->message };
    }
    m_result.leftoversDeleted = 0;
}
