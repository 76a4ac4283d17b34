#include "exchange/windows/WindowsFileImporter.h"

#include "exchange/windows/ExchangeRows.h"
#include "exchange/windows/ExchangeSyncTime.h"
#include "exchange/windows/WindowsFileCheck.h"
#include "model/Assignment.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/MyCourse.h"
#include "model/Standard.h"
#include "model/Unit.h"
#include "model/Week.h"
#include "model/Year.h"
#include "schedule/YearBuilder.h"
#include "store/ObjectContext.h"
#include "store/sqlite/FMDatabase.h"

#include <QSet>

#include <algorithm>

namespace {

using Column = ExchangeRows::Column;

const QStringList fieldKeys { QStringLiteral("lessonBody"), QStringLiteral("homework"),
    QStringLiteral("publicComment"), QStringLiteral("custom1"), QStringLiteral("custom2"), QStringLiteral("custom3") };
const QStringList yearFlags { QStringLiteral("showTeacher"), QStringLiteral("showHomework"),
    QStringLiteral("showPublic"), QStringLiteral("showCustom1"), QStringLiteral("showCustom2"),
    QStringLiteral("showCustom3"), QStringLiteral("teacherEnlarged"), QStringLiteral("homeworkEnlarged"),
    QStringLiteral("publicEnlarged"), QStringLiteral("custom1Enlarged"), QStringLiteral("custom2Enlarged"),
    QStringLiteral("custom3Enlarged") };

QString columnOf(const QString& key)
{
    return QLatin1Char('Z') + key.toUpper();
}

// Copies text and boolean attributes stored under their own column names.
struct CopiedColumns {
    QList<std::pair<QString, Column>> texts;
    QList<std::pair<QString, Column>> flags;

    CopiedColumns(const ExchangeRows& rows, const QStringList& textKeys, const QStringList& flagKeys)
    {
        for (const QString& key : textKeys)
            texts.append({ key, rows.column(columnOf(key)) });
        for (const QString& key : flagKeys)
            flags.append({ key, rows.column(columnOf(key)) });
    }

    void copy(const ExchangeRows& rows, ManagedObject& record) const
    {
        for (const auto& [key, column] : texts)
            record.setValue(key, rows.text(column));
        for (const auto& [key, column] : flags)
            record.setValue(key, rows.boolean(column));
    }
};

// The columns of ZATTACHMENT. Lesson attachments use the plain columns,
// assignment attachments the twins numbered 1; the kinds share the rest.
struct AttachmentColumns {
    Column lesson, assignment, name, notes, syncID, publish, lastUpdated, sandboxURL;
    Column url, filePath, windowsFilePath;
    Column url1, filePath1, windowsFilePath1;

    explicit AttachmentColumns(const ExchangeRows& rows)
        : lesson(rows.column(QStringLiteral("ZLESSON")))
        , assignment(rows.column(QStringLiteral("ZASSIGNMENT")))
        , name(rows.column(QStringLiteral("ZNAME")))
        , notes(rows.column(QStringLiteral("ZNOTES")))
        , syncID(rows.column(QStringLiteral("ZSYNCID")))
        , publish(rows.column(QStringLiteral("ZPUBLISH")))
        , lastUpdated(rows.column(QStringLiteral("ZLASTUPDATED")))
        , sandboxURL(rows.column(QStringLiteral("ZSANDBOXURL")))
        , url(rows.column(QStringLiteral("ZURL")))
        , filePath(rows.column(QStringLiteral("ZFILEPATH")))
        , windowsFilePath(rows.column(QStringLiteral("ZWINDOWSFILEPATH")))
        , url1(rows.column(QStringLiteral("ZURL1")))
        , filePath1(rows.column(QStringLiteral("ZFILEPATH1")))
        , windowsFilePath1(rows.column(QStringLiteral("ZWINDOWSFILEPATH1")))
    { }
};

// An attachment of either owner: a file when its address column is NULL,
// a web link otherwise.
ManagedObject* insertAttachment(ObjectContext& context, const ExchangeRows& rows, const AttachmentColumns& columns,
    const QStringList& entities, Column url, Column filePath, Column windowsFilePath)
{
    const bool isFile = rows.isNull(url);
    ManagedObject* attachment = context.insertObject(isFile ? entities.first() : entities.last());
    attachment->setValue(u"name", rows.text(columns.name));
    attachment->setValue(u"notes", rows.text(columns.notes));
    attachment->setValue(u"syncID", rows.text(columns.syncID));
    attachment->setValue(u"publish", rows.boolean(columns.publish));
    if (isFile) {
        attachment->setValue(u"windowsFilePath", rows.text(windowsFilePath));
        attachment->setValue(u"filePath", rows.text(filePath));
        attachment->setValue(u"sandboxURL", rows.data(columns.sandboxURL));
    } else {
        attachment->setValue(u"URL", rows.text(url));
    }
    return attachment;
}

// Whether following a standard's parents from `key` ever comes back to a
// standard already passed. Every standard on the walk gets the same answer,
// so each is walked once.
bool leadsIntoLoop(qint64 key, const QHash<qint64, std::optional<qint64>>& parents, QHash<qint64, bool>& answers)
{
    QList<qint64> walked;
    QSet<qint64> onWalk;
    bool loops = false;
    for (std::optional<qint64> current = key; current && parents.contains(*current);
         current = parents.value(*current)) {
        if (const auto known = answers.constFind(*current); known != answers.constEnd()) {
            loops = *known;
            break;
        }
        if (onWalk.contains(*current)) {
            loops = true;
            break;
        }
        onWalk.insert(*current);
        walked.append(*current);
    }
    for (qint64 passed : walked)
        answers.insert(passed, loops);
    return loops;
}

} // namespace

Result<WindowsImportSummary> WindowsFileImporter::importFile(const QString& path, ObjectContext& context)
{
    Result<std::unique_ptr<FMDatabase>> database = WindowsFileCheck::open(path);
    if (!database)
        return Result<WindowsImportSummary>::failure(database.error());
    WindowsFileImporter importer(*database.value(), context);
    importer.importYear();
    importer.importCourses();
    importer.importUnits();
    importer.importStandards();
    importer.importWeeksAndDays();
    importer.importLessons();
    importer.numberLessonsOnDays();
    importer.importAssignments();
    importer.importAttachments();
    importer.importStandardLinks();
    importer.giveYearNewYearSettings();
    importer.restoreChangeTimes();
    return importer.m_summary;
}

WindowsFileImporter::WindowsFileImporter(FMDatabase& database, ObjectContext& context)
    : m_database(database)
    , m_context(context)
{ }

// Every row sets the year's values, so a file with several rows gives the
// last one's.
void WindowsFileImporter::importYear()
{
    m_year = m_context.insert<Year>(QStringLiteral("Year"));
    ExchangeRows rows(m_database, QStringLiteral("ZYEAR"));
    QStringList titles;
    for (const QString& field : fieldKeys)
        titles << field + QStringLiteral("Title");
    const CopiedColumns copied(rows, titles + QStringList { QStringLiteral("teacherSchool") }, yearFlags);
    const Column start = rows.column(QStringLiteral("ZSTARTDATE"));
    const Column end = rows.column(QStringLiteral("ZENDDATE"));
    const Column address = rows.column(QStringLiteral("ZTEACHERADDRESS"));
    const Column iCalSync = rows.column(QStringLiteral("ZLASTICALSYNC"));
    const Column phone = rows.column(QStringLiteral("ZTEACHERPHONE"));
    const Column schedule = rows.column(QStringLiteral("ZTYPEOFSCHEDULE"));
    const Column interval = rows.column(QStringLiteral("ZREPEATINTERVAL"));
    while (rows.next()) {
        m_year->setDate(u"startDate", rows.date(start));
        m_year->setDate(u"endDate", rows.date(end));
        m_year->setValue(u"teacherAddress",
            address < 0 ? ExchangeSyncTime::neverSynced() : ExchangeSyncTime::documentText(rows.date(address)));
        m_year->setDate(u"lastICalSync", iCalSync < 0 ? Date::now() : rows.date(iCalSync));
        copied.copy(rows, *m_year);
        m_year->setValue(u"teacherPhone", rows.text(phone).replace(QLatin1Char(';'), QLatin1Char(',')));
        m_year->setValue(u"typeOfSchedule", rows.integer(schedule));
        m_year->setValue(u"repeatInterval", rows.integer(interval));
    }
}

// Courses are numbered in the order of their keys, the order in which the
// Windows edition created them, and drawn and published like new courses.
void WindowsFileImporter::importCourses()
{
    ExchangeRows rows(m_database, QStringLiteral("ZCOURSE"));
    const Column key = rows.column(QStringLiteral("Z_PK"));
    const Column name = rows.column(QStringLiteral("ZCOURSENAME"));
    const bool hasColors = rows.hasColumn(QStringLiteral("ZRED"));
    const Column red = rows.column(QStringLiteral("ZRED"));
    const Column green = rows.column(QStringLiteral("ZGREEN"));
    const Column blue = rows.column(QStringLiteral("ZBLUE"));
    QList<std::pair<qint64, Course*>> byKey;
    while (rows.next()) {
        auto* course = m_context.insert<MyCourse>(QStringLiteral("MyCourse"));
        course->setValue(u"courseName", rows.text(name));
        if (hasColors) {
            course->setValue(u"red", std::clamp<qint64>(rows.integer(red), 0, 255));
            course->setValue(u"green", std::clamp<qint64>(rows.integer(green), 0, 255));
            course->setValue(u"blue", std::clamp<qint64>(rows.integer(blue), 0, 255));
        }
        course->setValue(u"draw", 1);
        course->setValue(u"publish", 1);
        course->setObject(u"year", m_year);
        m_courses.insert(rows.integer(key), course);
        byKey.append({ rows.integer(key), course });
    }
    std::stable_sort(byKey.begin(), byKey.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (qsizetype number = 0; number < byKey.size(); ++number)
        byKey[number].second->setValue(u"courseNumber", number);
}

void WindowsFileImporter::importUnits()
{
    ExchangeRows rows(m_database, QStringLiteral("ZUNIT"));
    const Column key = rows.column(QStringLiteral("Z_PK"));
    const Column name = rows.column(QStringLiteral("ZUNITNAME"));
    const Column course = rows.column(QStringLiteral("ZCOURSE"));
    while (rows.next()) {
        auto* unit = m_context.insert<Unit>(QStringLiteral("Unit"));
        unit->setValue(u"unitName", rows.text(name));
        unit->setObject(u"year", m_year);
        unit->setObject(u"course", getCourseWithPrimaryKey(rows.key(course)));
        m_units.insert(rows.integer(key), unit);
    }
}

// Standards are read first and inserted once it is known which of them hang
// from a loop of parents: such a tree has no root and cannot be shown.
void WindowsFileImporter::importStandards()
{
    ExchangeRows rows(m_database, QStringLiteral("ZSTANDARD"));
    const Column key = rows.column(QStringLiteral("Z_PK"));
    const Column parent = rows.column(QStringLiteral("ZPARENT"));
    const CopiedColumns copied(rows, { QStringLiteral("shortName"), QStringLiteral("text"), QStringLiteral("syncID") },
        { QStringLiteral("isRootItem") });
    const Column lastUpdated = rows.column(QStringLiteral("ZLASTUPDATED"));
    QList<std::pair<qint64, Standard*>> inserted;
    QHash<qint64, std::optional<qint64>> parents;
    while (rows.next()) {
        auto* standard = m_context.insert<Standard>(QStringLiteral("Standard"));
        copied.copy(rows, *standard);
        standard->setDate(u"lastUpdated", rows.date(lastUpdated));
        inserted.append({ rows.integer(key), standard });
        parents.insert(rows.integer(key), rows.key(parent));
    }
    QHash<qint64, bool> loops;
    for (const auto& [standardKey, standard] : inserted) {
        if (leadsIntoLoop(standardKey, parents, loops)) {
            m_context.deleteObject(standard);
            ++m_summary.standardsInLoops;
            continue;
        }
        standard->setObject(u"year", m_year);
        m_standards.insert(standardKey, standard);
    }
    for (const auto& [standardKey, standard] : inserted) {
        if (!standard->isDeleted())
            standard->setObject(u"parent", getStandardWithPrimaryKey(parents.value(standardKey)));
    }
}

void WindowsFileImporter::importWeeksAndDays()
{
    ExchangeRows weeks(m_database, QStringLiteral("ZWEEK"));
    const Column weekKey = weeks.column(QStringLiteral("Z_PK"));
    const Column weekNumber = weeks.column(QStringLiteral("ZWEEKNUMBER"));
    while (weeks.next()) {
        auto* week = m_context.insert<Week>(QStringLiteral("Week"));
        week->setValue(u"weekNumber", weeks.integer(weekNumber));
        week->setObject(u"year", m_year);
        m_weeks.insert(weeks.integer(weekKey), week);
    }

    ExchangeRows days(m_database, QStringLiteral("ZDAY"));
    const Column dayKey = days.column(QStringLiteral("Z_PK"));
    const Column dayWeek = days.column(QStringLiteral("ZWEEK"));
    const Column actualDate = days.column(QStringLiteral("ZACTUALDATE"));
    const Column typeOfDay = days.column(QStringLiteral("ZTYPEOFDAY"));
    const Column lastUpdated = days.column(QStringLiteral("ZLASTUPDATED"));
    const CopiedColumns copied(days,
        { QStringLiteral("holidayName"), QStringLiteral("notes"), QStringLiteral("iCalUIDNonSchool"),
            QStringLiteral("iCalUIDNotes"), QStringLiteral("syncID") },
        { QStringLiteral("isHoliday"), QStringLiteral("isCancelled"), QStringLiteral("isCustom") });
    while (days.next()) {
        Week* week = days.isNull(dayWeek) ? nullptr : m_weeks.value(days.integer(dayWeek));
        if (!week) {
            ++m_summary.daysWithoutWeek;
            continue;
        }
        auto* day = m_context.insert<Day>(QStringLiteral("Day"));
        day->setDate(u"actualDate", days.date(actualDate));
        day->setValue(u"typeOfDay", days.integer(typeOfDay));
        copied.copy(days, *day);
        day->setObject(u"week", week);
        m_changeTimes.emplace_back(day, days.date(lastUpdated));
        m_days.insert(days.integer(dayKey), day);
    }
}

void WindowsFileImporter::importLessons()
{
    ExchangeRows rows(m_database, QStringLiteral("ZLESSON"));
    const Column key = rows.column(QStringLiteral("Z_PK"));
    const Column dayTaught = rows.column(QStringLiteral("ZDAYTAUGHT"));
    const Column course = rows.column(QStringLiteral("ZCOURSE"));
    const Column unit = rows.column(QStringLiteral("ZUNIT"));
    const Column start = rows.column(QStringLiteral("ZSTARTTIME"));
    const Column end = rows.column(QStringLiteral("ZENDTIME"));
    const Column lastUpdated = rows.column(QStringLiteral("ZLASTUPDATED"));
    const Column anchored = rows.column(QStringLiteral("ZANCHORED"));
    QStringList texts { QStringLiteral("lessonTitle") };
    for (const QString& field : fieldKeys)
        texts << Lesson::shadowKey(field);
    const CopiedColumns copied(rows, texts, {});
    const CopiedColumns identifiers(rows, { QStringLiteral("syncID"), QStringLiteral("iCalUID") }, {});
    QList<std::pair<QString, Column>> richFields;
    for (const QString& field : fieldKeys)
        richFields.append({ field, rows.column(columnOf(field)) });

    while (rows.next()) {
        Day* day = rows.isNull(dayTaught) ? nullptr : m_days.value(rows.integer(dayTaught));
        Course* taughtIn = getCourseWithPrimaryKey(rows.key(course));
        if (!day || !taughtIn) {
            ++m_summary.lessonsWithoutCourseOrDay;
            continue;
        }
        auto* lesson = m_context.insert<Lesson>(QStringLiteral("Lesson"));
        lesson->setObject(u"dayTaught", day);
        lesson->setObject(u"course", taughtIn);
        // A lesson without meeting times keeps none rather than taking the
        // reference date as its time.
        lesson->setDate(u"startTime", rows.isNull(start) ? std::nullopt : std::optional(rows.date(start)));
        lesson->setDate(u"endTime", rows.isNull(end) ? std::nullopt : std::optional(rows.date(end)));
        // The rich texts first, then their plain shadows, then the two made
        // to agree: the shadow is what the Windows edition edits.
        for (const auto& [field, column] : richFields)
            lesson->setValue(field, rows.data(column));
        copied.copy(rows, *lesson);
        lesson->makeFieldsEqual();
        identifiers.copy(rows, *lesson);
        lesson->setValue(u"anchored", rows.boolean(anchored));
        if (rows.integer(unit) != 0)
            lesson->setObject(u"unit", getUnitWithPrimaryKey(rows.key(unit)));
        m_changeTimes.emplace_back(lesson, rows.date(lastUpdated));
        m_lessons.insert(rows.integer(key), lesson);
    }
}

// The file's positions are not read (the Windows edition keeps its own); a
// day's lessons are numbered the way a new year numbers them, in course
// order, so that a day's meetings line up with the days like it.
void WindowsFileImporter::numberLessonsOnDays()
{
    for (Day* day : std::as_const(m_days)) {
        QList<Lesson*> lessons = day->lessons();
        std::stable_sort(lessons.begin(), lessons.end(), [](const Lesson* a, const Lesson* b) {
            const int courseA = a->course()->courseNumber();
            const int courseB = b->course()->courseNumber();
            if (courseA != courseB)
                return courseA < courseB;
            return a->startTime().value_or(Date()) < b->startTime().value_or(Date());
        });
        for (qsizetype position = 0; position < lessons.size(); ++position)
            lessons[position]->setValue(u"lessonPosition", int(position));
    }
}

// An assignment is given and due in two lessons; with either missing it is
// kept, unlinked, so that its text is not lost. Its details are rich text
// here and plain text in the Windows edition: the rich text a file of ours
// carries is kept where the plain text still says the same, and is built
// from the plain text otherwise.
void WindowsFileImporter::importAssignments()
{
    ExchangeRows rows(m_database, QStringLiteral("ZASSIGNMENT"));
    const Column key = rows.column(QStringLiteral("Z_PK"));
    const Column details = rows.column(QStringLiteral("ZDETAILS"));
    const Column points = rows.column(QStringLiteral("ZPOINTS"));
    const Column assignedLesson = rows.column(QStringLiteral("ZASSIGNEDLESSON"));
    const Column dueLesson = rows.column(QStringLiteral("ZDUELESSON"));
    const Column lastUpdated = rows.column(QStringLiteral("ZLASTUPDATED"));
    const CopiedColumns copied(
        rows, { QStringLiteral("title"), QStringLiteral("detailsString"), QStringLiteral("syncID") }, {});
    while (rows.next()) {
        auto* assignment = m_context.insert<Assignment>(QStringLiteral("Assignment"));
        if (const QByteArray rich = rows.data(details); !rich.isEmpty())
            assignment->setValue(u"details", rich);
        copied.copy(rows, *assignment);
        assignment->makeDetailsEqual();
        assignment->setValue(u"points", rows.integer(points));
        Lesson* assigned = getLessonWithPrimaryKey(rows.key(assignedLesson));
        Lesson* due = getLessonWithPrimaryKey(rows.key(dueLesson));
        if (assigned && due) {
            assignment->setObject(u"assignedLesson", assigned);
            assignment->setObject(u"dueLesson", due);
        }
        m_changeTimes.emplace_back(assignment, rows.date(lastUpdated));
        m_assignments.insert(rows.integer(key), assignment);
    }
}

void WindowsFileImporter::importAttachments()
{
    static const QStringList lessonKinds { QStringLiteral("AttachedFile"), QStringLiteral("AttachedWebLink") };
    static const QStringList assignmentKinds { QStringLiteral("AssignedFile"), QStringLiteral("AssignedWebLink") };
    ExchangeRows rows(m_database, QStringLiteral("ZATTACHMENT"));
    const AttachmentColumns columns(rows);
    while (rows.next()) {
        if (Lesson* lesson = getLessonWithPrimaryKey(rows.key(columns.lesson))) {
            ManagedObject* attachment = insertAttachment(
                m_context, rows, columns, lessonKinds, columns.url, columns.filePath, columns.windowsFilePath);
            attachment->setObject(u"lesson", lesson);
            m_changeTimes.emplace_back(attachment, rows.date(columns.lastUpdated));
        }
        const std::optional<qint64> assignmentKey = rows.key(columns.assignment);
        if (Assignment* assignment = assignmentKey ? m_assignments.value(*assignmentKey) : nullptr) {
            ManagedObject* attachment = insertAttachment(
                m_context, rows, columns, assignmentKinds, columns.url1, columns.filePath1, columns.windowsFilePath1);
            attachment->setObject(u"assignment", assignment);
            m_changeTimes.emplace_back(attachment, rows.date(columns.lastUpdated));
        }
    }
}

void WindowsFileImporter::importStandardLinks()
{
    ExchangeRows rows(m_database, QStringLiteral("ZSTANDARDINLESSON"));
    const Column lessonKey = rows.column(QStringLiteral("ZLESSON"));
    const Column standardKey = rows.column(QStringLiteral("ZSTANDARD"));
    const Column syncID = rows.column(QStringLiteral("ZSYNCID"));
    const Column notes = rows.column(QStringLiteral("ZIMPLEMENTATIONNOTES"));
    const Column lastUpdated = rows.column(QStringLiteral("ZLASTUPDATED"));
    while (rows.next()) {
        Lesson* lesson = getLessonWithPrimaryKey(rows.key(lessonKey));
        Standard* standard = getStandardWithPrimaryKey(rows.key(standardKey));
        if (!lesson || !standard) {
            ++m_summary.standardLinksWithoutEnds;
            continue;
        }
        ManagedObject* link = m_context.insertObject(QStringLiteral("StandardInLesson"));
        link->setValue(u"syncID", rows.text(syncID));
        link->setValue(u"implementationNotes", rows.text(notes));
        link->setObject(u"lesson", lesson);
        link->setObject(u"standard", standard);
        m_changeTimes.emplace_back(link, rows.date(lastUpdated));
    }
}

// The publishing and report settings the file does not carry, as a new year
// gets them, so that publishing and reports work on the imported plan.
void WindowsFileImporter::giveYearNewYearSettings()
{
    YearBuilder::insertSettings(*m_year);
}

void WindowsFileImporter::restoreChangeTimes()
{
    for (const auto& [record, time] : m_changeTimes)
        record->setDate(u"lastUpdated", time);
}

Course* WindowsFileImporter::getCourseWithPrimaryKey(std::optional<qint64> key) const
{
    return key ? m_courses.value(*key) : nullptr;
}

Unit* WindowsFileImporter::getUnitWithPrimaryKey(std::optional<qint64> key) const
{
    return key ? m_units.value(*key) : nullptr;
}

Standard* WindowsFileImporter::getStandardWithPrimaryKey(std::optional<qint64> key) const
{
    return key ? m_standards.value(*key) : nullptr;
}

Lesson* WindowsFileImporter::getLessonWithPrimaryKey(std::optional<qint64> key) const
{
    return key ? m_lessons.value(*key) : nullptr;
}
