#include "server/YearSnapshot.h"

#include "server/ResourceSpec.h"

#include <QUrl>

#include <algorithm>

namespace {

QString text(const StoredRecord& record, const char* key)
{
    return record.fields.value(QLatin1String(key)).toString();
}

qint64 number(const StoredRecord& record, const char* key)
{
    return text(record, key).toLongLong();
}

bool flag(const StoredRecord& record, const char* key)
{
    return text(record, key) == QLatin1String("1");
}

std::optional<QList<StoredRecord>> listOf(Records& records, const Account& account, const char* resource)
{
    return records.list(account, *ResourceSpecs::byName(QString::fromLatin1(resource)));
}

} // namespace

QDate YearSnapshot::dateOf(const QString& sent)
{
    return QDate::fromString(sent.left(10), QStringLiteral("yyyy-MM-dd"));
}

QTime YearSnapshot::timeOf(const QString& sent)
{
    if (sent.size() < 16)
        return {};
    return QTime(sent.mid(11, 2).toInt() % 24, sent.mid(14, 2).toInt());
}

std::optional<YearSnapshot> YearSnapshot::load(Records& records, const Account& account)
{
    const auto year = records.find(account, ResourceSpecs::years(), account.yearId);
    if (!year)
        return std::nullopt;
    YearSnapshot snapshot;
    snapshot.m_year = year->fields;
    const std::pair<QList<StoredRecord>*, const char*> kinds[] = { { &snapshot.m_courses, "courses" },
        { &snapshot.m_days, "days" }, { &snapshot.m_lessons, "lessons" }, { &snapshot.m_assignments, "assignments" },
        { &snapshot.m_files, "attachfiles" }, { &snapshot.m_assignmentFiles, "assignment_attachfiles" },
        { &snapshot.m_weblinks, "attachlinks" }, { &snapshot.m_assignmentLinks, "assignment_attachlinks" } };
    for (const auto& [list, resource] : kinds) {
        auto loaded = listOf(records, account, resource);
        if (!loaded)
            return std::nullopt;
        *list = std::move(*loaded);
    }
    for (const StoredRecord& day : snapshot.m_days)
        snapshot.m_dayDates.insert(day.id, dateOf(text(day, "actual_date")));
    std::stable_sort(snapshot.m_days.begin(), snapshot.m_days.end(), [&snapshot](const auto& a, const auto& b) {
        return snapshot.m_dayDates.value(a.id) < snapshot.m_dayDates.value(b.id);
    });
    for (const StoredRecord& lesson : snapshot.m_lessons)
        snapshot.m_lessonDays.insert(lesson.id, number(lesson, "day_id"));
    return snapshot;
}

FieldTitles YearSnapshot::titles() const
{
    const auto title = [this](const char* key) { return m_year.value(QLatin1String(key)).toString(); };
    return { title("lesson_body_title"), title("homework_title"), title("public_comment_title"), title("custom1_title"),
        title("custom2_title"), title("custom3_title") };
}

QDate YearSnapshot::lessonDate(qint64 lessonId) const
{
    return m_dayDates.value(m_lessonDays.value(lessonId));
}

QList<FileView> YearSnapshot::filesOf(
    const QList<StoredRecord>& files, const QString& ownerKey, qint64 owner, FileOwner kind) const
{
    QList<FileView> views;
    for (const StoredRecord& file : files) {
        if (file.fields.value(ownerKey).toString().toLongLong() == owner)
            views.append({ QString::number(file.id), text(file, "name"), file.fileSize,
                kind == FileOwner::Assignment || flag(file, "publish"), kind });
    }
    return views;
}

QList<WebLinkView> YearSnapshot::linksOf(const QList<StoredRecord>& links, const QString& ownerKey, qint64 owner) const
{
    QList<WebLinkView> views;
    for (const StoredRecord& link : links) {
        if (link.fields.value(ownerKey).toString().toLongLong() == owner)
            views.append({ text(link, "name"), QUrl::fromPercentEncoding(text(link, "url").toUtf8()),
                text(link, "description"), flag(link, "publish") });
    }
    return views;
}

AssignmentView YearSnapshot::assignmentView(const StoredRecord& assignment) const
{
    AssignmentView view { text(assignment, "title"), text(assignment, "description"), std::nullopt,
        filesOf(m_assignmentFiles, QStringLiteral("assignment_id"), assignment.id, FileOwner::Assignment),
        linksOf(m_assignmentLinks, QStringLiteral("assignment_id"), assignment.id) };
    const QDate due = lessonDate(number(assignment, "due_lesson_id"));
    if (due.isValid())
        view.dueDate = due;
    return view;
}

LessonView YearSnapshot::lessonView(const StoredRecord& lesson) const
{
    LessonView view;
    view.id = QString::number(lesson.id);
    const qint64 course = number(lesson, "course_id");
    view.courseId = QString::number(course);
    for (const StoredRecord& each : m_courses) {
        if (each.id == course)
            view.courseName = text(each, "course_name");
    }
    view.date = lessonDate(lesson.id);
    view.title = text(lesson, "title");
    view.unit = text(lesson, "unit_name");
    view.startTime = timeOf(text(lesson, "start_time"));
    view.endTime = timeOf(text(lesson, "end_time"));
    view.lessonBody = text(lesson, "lesson_body");
    view.homework = text(lesson, "homework");
    view.publicComment = text(lesson, "public_comment");
    view.custom1 = text(lesson, "custom1");
    view.custom2 = text(lesson, "custom2");
    view.custom3 = text(lesson, "custom3");
    // Lessons of a course whose public link is on are meant for its students.
    view.published = m_links.value(course).on;
    for (const StoredRecord& assignment : m_assignments) {
        if (number(assignment, "assigned_lesson_id") == lesson.id)
            view.assignments.append(assignmentView(assignment));
    }
    view.files = filesOf(m_files, QStringLiteral("lesson_id"), lesson.id, FileOwner::Lesson);
    view.links = linksOf(m_weblinks, QStringLiteral("lesson_id"), lesson.id);
    return view;
}

QList<StoredRecord> YearSnapshot::lessonsWhere(const QString& key, qint64 id) const
{
    QList<StoredRecord> found;
    for (const StoredRecord& lesson : m_lessons) {
        if (lesson.fields.value(key).toString().toLongLong() == id)
            found.append(lesson);
    }
    return found;
}

DayView YearSnapshot::dayView(const StoredRecord& day, bool withLessons) const
{
    DayView view { m_dayDates.value(day.id), flag(day, "is_holiday"), flag(day, "is_cancelled"), flag(day, "is_custom"),
        text(day, "notes"), {} };
    QList<StoredRecord> lessons = lessonsWhere(QStringLiteral("day_id"), day.id);
    std::stable_sort(lessons.begin(), lessons.end(),
        [](const auto& a, const auto& b) { return number(a, "course_id") < number(b, "course_id"); });
    for (const StoredRecord& lesson : lessons) {
        if (withLessons) {
            view.lessons.append(lessonView(lesson));
        } else {
            LessonView title;
            title.id = QString::number(lesson.id);
            title.courseId = lesson.fields.value(QStringLiteral("course_id")).toString();
            title.title = text(lesson, "title");
            view.lessons.append(title);
        }
    }
    return view;
}

CourseView YearSnapshot::courseView(const StoredRecord& course) const
{
    const CourseLink link = m_links.value(course.id);
    return { QString::number(course.id), text(course, "course_name"), link.on, link.token, {} };
}

QList<CourseView> YearSnapshot::courses() const
{
    QList<CourseView> views;
    for (const StoredRecord& course : m_courses)
        views.append(courseView(course));
    return views;
}

YearView YearSnapshot::year() const
{
    return { dateOf(m_year.value(QStringLiteral("start_date")).toString()),
        dateOf(m_year.value(QStringLiteral("end_date")).toString()), courses() };
}

MonthView YearSnapshot::month(QDate anyDay) const
{
    const YearView dates = year();
    MonthView view { anyDay, dates.startDate, dates.endDate, {} };
    for (const StoredRecord& day : m_days) {
        const QDate date = m_dayDates.value(day.id);
        if (date.year() == anyDay.year() && date.month() == anyDay.month())
            view.days.append(dayView(day, false));
    }
    return view;
}

std::optional<DayPageView> YearSnapshot::day(QDate date) const
{
    for (qsizetype i = 0; i < m_days.size(); ++i) {
        if (m_dayDates.value(m_days[i].id) != date)
            continue;
        DayPageView view { titles(), dayView(m_days[i], true), std::nullopt, std::nullopt };
        if (i > 0)
            view.previousDay = m_dayDates.value(m_days[i - 1].id);
        if (i + 1 < m_days.size())
            view.nextDay = m_dayDates.value(m_days[i + 1].id);
        return view;
    }
    return std::nullopt;
}

std::optional<CoursePageView> YearSnapshot::course(qint64 courseId) const
{
    for (const StoredRecord& course : m_courses) {
        if (course.id != courseId)
            continue;
        CoursePageView view { titles(), courseView(course) };
        QList<StoredRecord> lessons = lessonsWhere(QStringLiteral("course_id"), courseId);
        std::stable_sort(lessons.begin(), lessons.end(),
            [this](const auto& a, const auto& b) { return lessonDate(a.id) < lessonDate(b.id); });
        for (const StoredRecord& lesson : lessons)
            view.course.lessons.append(lessonView(lesson));
        return view;
    }
    return std::nullopt;
}

std::optional<QDate> YearSnapshot::nearestDay(QDate date) const
{
    std::optional<QDate> nearest;
    for (const StoredRecord& day : m_days) {
        const QDate candidate = m_dayDates.value(day.id);
        if (!nearest || std::abs(candidate.daysTo(date)) < std::abs(nearest->daysTo(date)))
            nearest = candidate;
    }
    return nearest;
}
