#include "calsync/ICalSyncController.h"

#include "calsync/CalendarSyncSettings.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/Clock.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/prefs/Preferences.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QRandomGenerator>
#include <QTimeZone>
#include <QUuid>

#include <array>

const QString ICalSyncController::okToSyncKey = QStringLiteral("okToSync");

namespace {

using Kind = CalendarSyncItem::Kind;
using State = CalendarSyncOutcome::State;

constexpr double justBeforeSeconds = 0.001;
// An alert names this many events at most.
constexpr qsizetype maxListed = 5;

const QString& uidKey(Kind kind)
{
    static const QString lesson = QStringLiteral("iCalUID");
    static const QString nonSchool = QStringLiteral("iCalUIDNonSchool");
    static const QString notes = QStringLiteral("iCalUIDNotes");
    return kind == Kind::Lesson ? lesson : kind == Kind::NonSchoolDay ? nonSchool : notes;
}

// A first sync names thousands of events: their random UUIDs come from a
// generator seeded once from the system's source, which is slow to ask for
// each one.
QString newUid()
{
    static thread_local QRandomGenerator64 generator = [] {
        std::array<quint32, 8> seed {};
        QRandomGenerator::system()->fillRange(seed.data(), seed.size());
        return QRandomGenerator64(seed.data(), qsizetype(seed.size()));
    }();
    const quint64 high = generator.generate64();
    const quint64 low = generator.generate64();
    // Version 4 (random) in the time-high field, the RFC 4122 variant in the
    // clock-sequence field.
    const QUuid uuid(uint(high >> 32), ushort(high >> 16), ushort((high & 0x0fffU) | 0x4000U),
        uchar(((low >> 56) & 0x3fU) | 0x80U), uchar(low >> 48), uchar(low >> 40), uchar(low >> 32), uchar(low >> 24),
        uchar(low >> 16), uchar(low >> 8), uchar(low));
    return uuid.toString(QUuid::WithoutBraces) + QStringLiteral("@semestra");
}

CalendarEvent allDayEvent(const QString& title, Date day)
{
    CalendarEvent event;
    event.title = title;
    event.allDay = true;
    event.start = LocalCalendar::components(day);
    event.end = event.start;
    return event;
}

// The event a record wants, under the UID it has or a new one; `uids`
// collects the UIDs wanted.
CalendarSyncItem itemFor(Kind kind, ManagedObject& record, const QString& calendar, CalendarEvent event)
{
    CalendarSyncItem item { kind, &record, record.value<QString>(uidKey(kind)), calendar, std::nullopt, false };
    event.uid = item.recordedUid.isEmpty() ? newUid() : item.recordedUid;
    item.event = std::move(event);
    return item;
}

CalendarSyncItem removalFor(Kind kind, ManagedObject& record)
{
    return { kind, &record, record.value<QString>(uidKey(kind)), {}, std::nullopt, false };
}

// A rotating year's first week starts on its Sunday; the days before the
// start the teacher chose are kept as cancelled days only to fill the week.
bool fillsFirstWeek(const Day& day, const QList<Day*>& daysInOrder)
{
    const Year* year = day.year();
    if (!year || year->isNonRotating() || !day.isCancelled() || !day.week() || day.week()->weekNumber() != 1)
        return false;
    for (const Day* earlier : daysInOrder) {
        if (earlier == &day)
            return true;
        if (!earlier->isNonSchoolDay())
            return false;
    }
    return false;
}

DateComponents onDay(const DateComponents& day, const DateComponents& clock)
{
    return { day.year, day.month, day.day, clock.hour, clock.minute, clock.second };
}

int secondOfDay(const DateComponents& clock)
{
    return (clock.hour * 60 + clock.minute) * 60 + clock.second;
}

void addWanted(CalendarSyncPlan& plan, const CalendarSyncItem& item)
{
    if (item.event)
        plan.wantedUids.insert(item.event->uid);
}

} // namespace

ICalSyncController::ICalSyncController(Year& year, AlertPresenter& alerts)
    : m_year(year)
    , m_alerts(alerts)
{ }

void ICalSyncController::syncAllToiCal()
{
    m_updating = false;
    Preferences::shared().setValue(okToSyncKey, false);
}

void ICalSyncController::syncChangesToiCal()
{
    m_updating = true;
    Preferences::shared().setValue(okToSyncKey, true);
}

CalendarSyncCounts ICalSyncController::startSync(CalendarStore& store)
{
    const CalendarSyncPlan plan = makePlan();
    return finishSync(plan, CalendarSyncRun(plan, store).run());
}

CalendarSyncPlan ICalSyncController::makePlan()
{
    CalendarSyncPlan plan;
    plan.storedTable = m_year.value<QString>(u"teacherDepartment");
    m_year.generateCalendarSyncDict();
    const CalendarSyncSettings settings(m_year);
    plan.owner = m_year.context().storeIdentifier();
    plan.startedAt = Clock::now();
    planCalendars(plan, settings);
    // A kind the teacher does not sync keeps its events as they are.
    const auto keepAll = [&plan](const QList<ManagedObject*>& records, Kind kind) {
        for (const ManagedObject* record : records)
            plan.wantedUids.insert(record->value<QString>(uidKey(kind)));
    };
    const QList<Day*> days = m_year.getAllDaysOrderedAscending();
    const QList<ManagedObject*> dayRecords(days.cbegin(), days.cend());
    if (settings.syncLessons()) {
        syncUpdatedLessons(plan, settings);
    } else {
        const QList<Lesson*> lessons = m_year.getAllLessons();
        keepAll(QList<ManagedObject*>(lessons.cbegin(), lessons.cend()), Kind::Lesson);
    }
    if (settings.syncHolidays())
        syncNonSchoolDays(plan);
    else
        keepAll(dayRecords, Kind::NonSchoolDay);
    if (settings.syncDailyNotes())
        syncDailyNotes(plan);
    else
        keepAll(dayRecords, Kind::Notes);
    plan.wantedUids.remove(QString());
    return plan;
}

QString ICalSyncController::calendarFor(const QString& tableKey) const
{
    const QVariantMap entry = m_year.calendarSyncDict().value(tableKey).toMap();
    const QString name = entry.value(QStringLiteral("calendarName")).toString();
    return name.isEmpty() ? tableKey : name;
}

void ICalSyncController::planCalendars(CalendarSyncPlan& plan, const CalendarSyncSettings& settings) const
{
    QStringList keys;
    if (settings.syncLessons()) {
        for (const Course* course : m_year.myCourses())
            keys.append(course->courseName());
    }
    if (settings.syncHolidays())
        keys.append(Year::nonSchoolDaysCalendarKey);
    if (settings.syncDailyNotes())
        keys.append(Year::notesCalendarKey);
    for (const QString& key : keys)
        plan.calendars.append({ key, calendarFor(key) });
    const QVariantMap& table = m_year.calendarSyncDict();
    for (auto entry = table.cbegin(); entry != table.cend(); ++entry) {
        if (entry.key() != CalendarSyncSettings::settingsKey && !keys.contains(entry.key()))
            plan.otherCalendars.append(calendarFor(entry.key()));
    }
}

// The wall-clock times are read once each and put on the day's date: going
// through absolute times again would cost a calendar computation apiece on
// thousands of lessons.
CalendarSyncItem ICalSyncController::lessonItem(Lesson& lesson, const LessonEventSettings& settings) const
{
    CalendarEvent event = allDayEvent(lesson.strippedTitle(), lesson.dayTaught()->actualDate());
    event.notes = lesson.stringForICalSync(settings.noteFields);
    bool invalidTimes = false;
    // A lesson without meeting times is still taught that day.
    if (lesson.hasTimes()) {
        const DateComponents start = LocalCalendar::components(*lesson.startTime());
        const DateComponents end = LocalCalendar::components(*lesson.endTime());
        event.allDay = false;
        event.start = onDay(event.start, start);
        event.end = onDay(event.start, end);
        event.timeZone = settings.timeZone;
        invalidTimes = secondOfDay(end) <= secondOfDay(start);
    }
    CalendarSyncItem item = itemFor(Kind::Lesson, lesson, settings.calendarFor(lesson.courseName()), event);
    item.invalidTimes = invalidTimes;
    return item;
}

void ICalSyncController::syncUpdatedLessons(CalendarSyncPlan& plan, const CalendarSyncSettings& settings) const
{
    Preferences& preferences = Preferences::shared();
    // The user default is set anew by every sync command; that the last sync
    // left lessons behind is kept with the year.
    const bool okToSync = preferences.boolValue(okToSyncKey) && !settings.lastSyncFailed();
    const QList<Lesson*> updated = m_year.lessonsUpdatedSinceLastICalSync(okToSync);
    if (!okToSync)
        preferences.setValue(okToSyncKey, true);
    const QSet<const Lesson*> pass(updated.cbegin(), updated.cend());
    const QList<Lesson*> lessons = m_year.getAllLessons();
    plan.wantedUids.reserve(plan.wantedUids.size() + lessons.size());
    QHash<QString, QString> calendars;
    const LessonEventSettings eventSettings { Lesson::iCalNoteFields(m_year, settings.syncedFieldKeys()),
        QString::fromUtf8(QTimeZone::systemTimeZoneId()), [&](const QString& courseName) {
            auto known = calendars.find(courseName);
            if (known == calendars.end())
                known = calendars.insert(courseName, calendarFor(courseName));
            return *known;
        } };
    for (Lesson* lesson : lessons) {
        const Day* day = lesson->dayTaught();
        const bool wantsEvent = day && !day->isNonSchoolDay() && lesson->hasData();
        const QString uid = lesson->value<QString>(uidKey(Kind::Lesson));
        if (wantsEvent && pass.contains(lesson)) {
            plan.items.append(lessonItem(*lesson, eventSettings));
            addWanted(plan, plan.items.last());
        } else if (wantsEvent) {
            plan.wantedUids.insert(uid);
        } else if (!uid.isEmpty()) {
            plan.items.append(removalFor(Kind::Lesson, *lesson));
        }
    }
}

void ICalSyncController::syncNonSchoolDays(CalendarSyncPlan& plan) const
{
    const QString calendar = calendarFor(Year::nonSchoolDaysCalendarKey);
    const QList<Day*> days = m_year.getAllDaysOrderedAscending();
    for (Day* day : days) {
        if (day->isNonSchoolDay() && !fillsFirstWeek(*day, days)) {
            plan.items.append(
                itemFor(Kind::NonSchoolDay, *day, calendar, allDayEvent(day->holidayTitle(), day->actualDate())));
            addWanted(plan, plan.items.last());
        } else if (!day->value<QString>(uidKey(Kind::NonSchoolDay)).isEmpty()) {
            plan.items.append(removalFor(Kind::NonSchoolDay, *day));
        }
    }
}

void ICalSyncController::syncDailyNotes(CalendarSyncPlan& plan) const
{
    const QString calendar = calendarFor(Year::notesCalendarKey);
    const QList<Day*> updated
        = m_year.getDaysWithUpdatedNotes(m_updating ? Year::Notes::UpdatedSinceCalendarSync : Year::Notes::All);
    const QSet<const Day*> pass(updated.cbegin(), updated.cend());
    for (Day* day : m_year.getAllDaysOrderedAscending()) {
        const QString uid = day->value<QString>(uidKey(Kind::Notes));
        if (day->notesHasData() && pass.contains(day)) {
            plan.items.append(
                itemFor(Kind::Notes, *day, calendar, allDayEvent(day->strippedNotes(), day->actualDate())));
            addWanted(plan, plan.items.last());
        } else if (day->notesHasData()) {
            plan.wantedUids.insert(uid);
        } else if (!uid.isEmpty()) {
            plan.items.append(removalFor(Kind::Notes, *day));
        }
    }
}

CalendarSyncCounts ICalSyncController::finishSync(const CalendarSyncPlan& plan, const CalendarSyncResult& result)
{
    CalendarSyncCounts counts;
    counts.deleted = result.leftoversDeleted;
    counts.storeFailed = result.storeFailure.has_value();
    bool anyFailed = result.storeFailure.has_value();
    if (anyFailed
        && std::none_of(result.outcomes.begin(), result.outcomes.end(),
            [](const CalendarSyncOutcome& outcome) { return outcome.succeeded(); })) {
        // Nothing reached the calendars: the document stays as it was.
        counts.failed = int(plan.items.size());
        if (m_year.value<QString>(u"teacherDepartment") != plan.storedTable)
            m_year.setValue(u"teacherDepartment", plan.storedTable);
        m_year.calendarSyncDict().clear();
        Preferences::shared().setValue(okToSyncKey, false);
        reportFailures(plan, result);
        return counts;
    }
    for (qsizetype index = 0; index < plan.items.size(); ++index) {
        const CalendarSyncOutcome& outcome = result.outcomes.value(index);
        recordOutcome(plan, plan.items[index], outcome);
        switch (outcome.state) {
        case State::Written:
            ++counts.written;
            break;
        case State::Updated:
            ++counts.updated;
            break;
        case State::Unchanged:
            ++counts.unchanged;
            break;
        case State::Deleted:
            ++counts.deleted;
            break;
        case State::Forgotten:
            break;
        default:
            ++counts.failed;
            anyFailed = true;
        }
    }
    recordCalendarTypes(result);
    // After a failure, the next sync takes every lesson again, and the notes
    // changed since the last sync that went through.
    CalendarSyncSettings settings(m_year);
    if (settings.lastSyncFailed() != anyFailed) {
        settings.setLastSyncFailed(anyFailed);
        settings.store();
    }
    if (anyFailed)
        Preferences::shared().setValue(okToSyncKey, false);
    else
        m_year.setDate(u"lastICalSync", plan.startedAt);
    reportFailures(plan, result);
    return counts;
}

// The teacher may have gone on editing while the events were written: a
// record deleted meanwhile is left alone, and so is one whose event is no
// longer the one the plan was made for.
void ICalSyncController::recordOutcome(
    const CalendarSyncPlan& plan, const CalendarSyncItem& item, const CalendarSyncOutcome& outcome)
{
    ManagedObject& record = *item.record;
    const QString& key = uidKey(item.kind);
    if (record.isDeleted() || record.value<QString>(key) != item.recordedUid)
        return;
    if (outcome.state == State::Deleted || outcome.state == State::Forgotten) {
        record.setValue(key, QVariant());
        return;
    }
    if ((outcome.state != State::Written && outcome.state != State::Updated && outcome.state != State::Unchanged)
        || item.event->uid == item.recordedUid)
        return;
    record.setValue(key, item.event->uid);
    // The online service keeps the lesson's UID too, so the lesson counts as
    // changed: just before the sync began, which the next changes-only sync
    // (taking what changed from then on) passes over. A lesson the teacher
    // changed while the events were written keeps its later time.
    auto* lesson = dynamic_cast<Lesson*>(&record);
    const std::optional<Date> updated = lesson ? lesson->lastUpdated() : std::nullopt;
    if (lesson && (!updated || *updated < plan.startedAt))
        lesson->setDate(u"lastUpdated", plan.startedAt.addingSeconds(-justBeforeSeconds));
}

// Calendars are made in the store the table's entries now live in.
void ICalSyncController::recordCalendarTypes(const CalendarSyncResult& result)
{
    QVariantMap& table = m_year.calendarSyncDict();
    for (const QString& key : result.readyKeys) {
        QVariantMap entry = table.value(key).toMap();
        entry.insert(QStringLiteral("calendarType"), result.storeType);
        table.insert(key, entry);
    }
    m_year.storeCalendarSyncDict();
}

void ICalSyncController::reportFailures(const CalendarSyncPlan& plan, const CalendarSyncResult& result)
{
    QStringList conflicts;
    QString otherFailure;
    bool invalidTimes = false;
    for (qsizetype index = 0; index < plan.items.size(); ++index) {
        const CalendarSyncOutcome& outcome = result.outcomes.value(index);
        if (outcome.state == State::Conflict)
            conflicts.append(outcome.message);
        invalidTimes = invalidTimes || outcome.state == State::InvalidTimes;
        if (outcome.state == State::Failed && otherFailure.isEmpty())
            otherFailure = outcome.message;
    }
    if (result.storeFailure)
        m_alerts.inform(QStringLiteral("Calendar Sync Failed"), result.storeFailure->message);
    if (!result.missingCalendars.isEmpty())
        m_alerts.inform(QStringLiteral("Calendar not found"),
            QStringLiteral("The calendars %1 could not be found or made in %2; their events were not written.")
                .arg(result.missingCalendars.join(QStringLiteral(", ")), result.location));
    if (invalidTimes)
        m_alerts.runModal({ QStringLiteral("Error syncing some lessons"),
            QStringLiteral("iCal could not accept all of your lessons.  Please use the Schedule-->Assign Course "
                           "Times menu item to ensure that all of your courses start at times earlier than they end."),
            QStringLiteral("OK"), {}, {} });
    if (!conflicts.isEmpty())
        m_alerts.inform(QStringLiteral("Events changed in the calendar"),
            QStringLiteral("%1 event(s) were changed in the calendar since the last sync and were left as they are: "
                           "%2. Delete them in the calendar to have them written again.")
                .arg(conflicts.size())
                .arg(conflicts.mid(0, maxListed).join(QStringLiteral(", "))));
    if (!otherFailure.isEmpty() && !result.storeFailure)
        m_alerts.inform(QStringLiteral("Error syncing some events"), otherFailure);
}
