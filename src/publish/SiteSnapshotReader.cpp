#include "publish/SiteSnapshotReader.h"

#include "foundation/dates/LocalCalendar.h"
#include "foundation/prefs/Preferences.h"
#include "model/AssignedFile.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/PublishInfo.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Year.h"
#include "publish/PublishThemes.h"
#include "publish/SiteNames.h"

namespace {

Date startOfDay(const PublishInfo* info, QStringView key, Date fallback)
{
    return (info ? info->date(key) : std::nullopt).value_or(fallback).midnightDate();
}

Date endOfDay(const PublishInfo* info, QStringView key, Date fallback)
{
    return (info ? info->date(key) : std::nullopt).value_or(fallback).elevenFiftyNineDate();
}

// The document's theme; the user's last choice for a year that has none.
QString themeOf(const PublishInfo* info)
{
    const QString stored = info ? info->cssTheme() : QString();
    if (PublishThemes::names().contains(stored))
        return stored;
    return PublishThemes::resolve(Preferences::shared().stringValue(QStringLiteral("cssTheme")));
}

SiteFile fileOf(const AttachedFile& file)
{
    return { file.name(), file.actualPath() };
}

SiteAssignment assignmentOf(const Assignment& work)
{
    SiteAssignment copy { work.title(), work.detailsString(), {}, {} };
    for (const AssignedFile* file : work.files())
        copy.files.append(fileOf(*file));
    for (const AssignedWebLink* link : work.webLinks())
        copy.links.append(SiteLink { link->name(), link->url() });
    return copy;
}

} // namespace

SiteSnapshotReader::SiteSnapshotReader(const Year& year)
    : m_year(year)
{ }

SiteSettings SiteSnapshotReader::settings(const Year& year)
{
    const PublishInfo* info = year.publish();
    const Date start = year.startDate();
    SiteSettings settings;
    settings.theme = themeOf(info);
    if (info) {
        settings.mainTitle = info->text(u"mainIndexTitle");
        settings.introduction = info->text(u"mainIndexIntro");
        settings.monthHeader = info->text(u"monthIndexHeader");
        settings.monthFooter = info->text(u"monthIndexFooter");
        settings.showCredit = info->isOn(u"showMadeWithSemestra");
        for (size_t field = 0; field < publishFieldSwitches.size(); ++field)
            settings.publishField[field] = info->isOn(publishFieldSwitches[field]);
        settings.publishFiles = info->isOn(u"publishFiles");
        settings.publishLinks = info->isOn(u"publishLinks");
        settings.publishStandards = info->isOn(u"publishStandards");
    }
    const QStringList& fields = Lesson::richFieldKeys();
    for (qsizetype field = 0; field < fields.size() && field < publishedFieldCount; ++field)
        settings.captions[size_t(field)] = year.fieldTitle(fields[field]);
    settings.calendarStart = startOfDay(info, u"calendarExportStartDate", start);
    settings.calendarEnd = endOfDay(info, u"calendarExportEndDate", start);
    settings.lessonStart = startOfDay(info, u"lessonExportStartDate", start);
    settings.lessonEnd = endOfDay(info, u"lessonExportEndDate", start);
    settings.today = Date::now();
    settings.yearIdentity = qint64(start.secondsSinceReferenceDate());
    return settings;
}

SiteFrame SiteSnapshotReader::readFrame(const SiteSettings& settings)
{
    m_settings = settings;
    SiteFrame frame { settings, {}, {} };
    const Date first = std::min(settings.calendarStart, settings.lessonStart);
    const Date last = std::max(settings.calendarEnd, settings.lessonEnd);
    m_dayIndexByKey.clear();
    for (const Day* day : m_year.getDaysAfterDate(first, last)) {
        const bool inRange = settings.inCalendarRange(day->actualDate()) || settings.inLessonRange(day->actualDate());
        if (!inRange)
            continue;
        m_dayIndexByKey.insert(day->primaryKey(), int(frame.days.size()));
        frame.days.append({ day->actualDate(), LocalCalendar::components(day->actualDate()), day->primaryKey(),
            day->isHoliday(), day->isCancelled(), day->holidayName(), day->shortDateString(), day->mediumDateString(),
            day->longDateString(), day->value<std::optional<Date>>(u"lastUpdated") });
    }
    const QList<Course*> courses = m_year.courses();
    QStringList names;
    for (const Course* course : courses)
        names.append(course->courseName());
    const QStringList folders = SiteNames::courseFolders(names);
    for (qsizetype index = 0; index < courses.size(); ++index) {
        const Course* course = courses[index];
        frame.courses.append({ course->primaryKey(), course->courseName(), folders[index],
            course->value<int>(u"publish") != 0, course->value<std::optional<Date>>(u"latestUploadDate") });
    }
    return frame;
}

std::optional<SiteCoursePlan> SiteSnapshotReader::readCourse(const SiteCourse& course) const
{
    const Course* record = m_year.getCourseWithPrimaryKey(course.key);
    if (!record)
        return std::nullopt;
    SiteCoursePlan plan { course, {}, {}, {} };
    const Date laterBound = std::max(m_settings.lessonEnd, course.latestUploadDate.value_or(m_settings.lessonEnd));
    for (const Lesson* lesson : record->allLessonsInOrder()) {
        const Day* day = lesson->dayTaught();
        if (!day || !lesson->hasData())
            continue;
        const Date date = day->actualDate();
        if (date < m_settings.lessonStart && date >= m_year.startDate().midnightDate())
            plan.previousBeforeRange = date;
        if (date > m_settings.lessonEnd && date <= laterBound && !plan.nextAfterRange)
            plan.nextAfterRange = date;
        const auto index = m_dayIndexByKey.constFind(day->primaryKey());
        if (index == m_dayIndexByKey.cend())
            continue;
        if (plan.days.isEmpty() || plan.days.last().dayIndex != *index)
            plan.days.append(SiteCourseDay { *index, {} });
        plan.days.last().lessons.append(readLesson(*lesson, m_settings.inLessonRange(date)));
    }
    return plan;
}

SiteLesson SiteSnapshotReader::readLesson(const Lesson& lesson, bool wholeLesson) const
{
    SiteLesson copy;
    copy.key = lesson.primaryKey();
    copy.title = lesson.lessonTitle();
    const QList<Attachment*> attachments = lesson.attachments();
    for (const Attachment* attachment : attachments) {
        const auto* file = dynamic_cast<const AttachedFile*>(attachment);
        if (file && file->isPublished() && m_settings.publishFiles)
            copy.handouts.append(fileOf(*file));
    }
    if (!wholeLesson)
        return copy;
    const QStringList& fields = Lesson::richFieldKeys();
    for (size_t field = 0; field < size_t(publishedFieldCount); ++field) {
        if (m_settings.publishField[field])
            copy.fields[field] = lesson.value<QString>(Lesson::shadowKey(fields[qsizetype(field)]));
    }
    copy.startTime = lesson.startTime();
    copy.endTime = lesson.endTime();
    copy.lastUpdated = lesson.value<std::optional<Date>>(u"lastUpdated");
    for (const Assignment* work : lesson.assignmentsAssignedToday())
        copy.assigned.append(assignmentOf(*work));
    for (const Assignment* work : lesson.assignmentsDueToday())
        copy.due.append(assignmentOf(*work));
    for (const Attachment* attachment : attachments) {
        const auto* link = dynamic_cast<const AttachedWebLink*>(attachment);
        if (link && link->isPublished() && m_settings.publishLinks)
            copy.links.append(SiteLink { link->name(), link->url() });
    }
    if (!m_settings.publishStandards)
        return copy;
    for (const StandardInLesson* link : lesson.objects<StandardInLesson>(u"standards")) {
        if (const Standard* standard = link->standard())
            copy.standards.append(SiteStandard { standard->shortName(), standard->text() });
    }
    return copy;
}
