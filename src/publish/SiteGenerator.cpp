#include "publish/SiteGenerator.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/LocalCalendar.h"
#include "model/AttachedFile.h"
#include "publish/CalendarFeed.h"
#include "publish/HTMLCourseMonthIndex.h"
#include "publish/HTMLSingleDayIndex.h"
#include "publish/HTMLTopLevelIndex.h"
#include "publish/HtmlText.h"
#include "publish/PublishThemes.h"
#include "publish/SitePage.h"
#include "publish/SiteWriter.h"

#include <QFileInfo>

#include <algorithm>

namespace {

const QString indexPage = QStringLiteral("index.html");

QString join(const QStringList& segments)
{
    return segments.join(u'/');
}

// A file worth copying: there, readable and not too large to put on a site.
bool isCopyable(const QString& path)
{
    const QFileInfo info(path);
    return info.isFile() && info.isReadable() && info.size() <= AttachedFile::sizeLimit;
}

QList<SiteMonth> monthsOf(const SiteFrame& frame, const SiteNames::DateNames& names)
{
    QList<SiteMonth> months;
    for (const SiteDay& day : frame.days) {
        if (!frame.settings.inCalendarRange(day.date))
            continue;
        const DateComponents& parts = day.parts;
        if (!months.isEmpty() && months.last().year == parts.year && months.last().month == parts.month)
            continue;
        const Date first = LocalCalendar::dateFromComponents({ parts.year, parts.month, 1, 0, 0, 0 });
        months.append({ parts.year, parts.month, first, names.monthFileName(first),
            DateFormatting::formatPattern(first, QStringLiteral("LLLL yyyy")) });
    }
    return months;
}

QString redirectPage(const QString& courseName, const QString& href)
{
    return QStringLiteral("<!DOCTYPE html>\n<html>\n<head>\n\t<meta charset=\"utf-8\">\n"
                          "\t<meta http-equiv=\"refresh\" content=\"0; url=%1\">\n\t<title>%2</title>\n"
                          "</head>\n<body>\n<p><a href=\"%1\">%2</a></p>\n</body>\n</html>\n")
        .arg(href, HtmlText::escaped(courseName));
}

} // namespace

SiteGenerator::SiteGenerator(const SiteFrame& frame, SiteWriter& writer)
    : m_frame(frame)
    , m_writer(writer)
    , m_months(monthsOf(frame, m_names))
{ }

bool SiteGenerator::generate(const CourseSource& nextCourse)
{
    const int courseCount = int(m_frame.publishedCourses().size());
    int done = 0;
    if (!writeTheme())
        return false;
    while (std::optional<SiteCoursePlan> plan = nextCourse()) {
        if (isCancelled() || !writeCourse(*plan))
            return false;
        if (m_progress)
            m_progress(++done, courseCount);
    }
    return !isCancelled() && writeTopLevelIndex();
}

bool SiteGenerator::writeTheme()
{
    const QStringList folder = PublishThemes::folder(m_frame.settings.theme);
    for (const auto& [path, bytes] : PublishThemes::files(m_frame.settings.theme)) {
        if (!m_writer.writeFile(join(folder) + QLatin1Char('/') + path, bytes))
            return false;
    }
    return true;
}

bool SiteGenerator::writeTopLevelIndex()
{
    QList<SiteCourse> courses = m_frame.publishedCourses();
    std::stable_sort(courses.begin(), courses.end(),
        [](const SiteCourse& a, const SiteCourse& b) { return QString::localeAwareCompare(a.name, b.name) < 0; });
    return m_writer.writeFile(indexPage, SitePage::bytes(HTMLTopLevelIndex::buildHTML(m_frame.settings, courses)));
}

bool SiteGenerator::writeCourse(const SiteCoursePlan& plan)
{
    const SiteCourse& course = plan.course;
    const QList<SiteDayPage> pages = layOutPages(plan);
    QList<const SiteDayPage*> written;
    for (const SiteDayPage& page : pages) {
        if (!page.written)
            continue;
        if (isCancelled() || !writeDayPage(course, page))
            return false;
        written.append(&page);
    }
    const std::optional<QString> opening = writeMonthPages(course, pages);
    if (!opening || !writeRedirect(course, *opening))
        return false;
    return m_writer.writeFile(
        join({ course.folder, course.folder + QStringLiteral(".ics") }), CalendarFeed::build(m_frame, course, written));
}

QList<SiteDayPage> SiteGenerator::layOutPages(const SiteCoursePlan& plan) const
{
    QList<SiteDayPage> pages;
    pages.reserve(plan.days.size());
    for (const SiteCourseDay& courseDay : plan.days) {
        SiteDayPage page;
        page.courseDay = &courseDay;
        page.day = &m_frame.days[courseDay.dayIndex];
        page.folder = m_names.dayFolderName(page.day->parts);
        page.written = m_frame.settings.inLessonRange(page.day->date);
        page.linked = page.written || m_writer.exists(join({ plan.course.folder, page.folder, indexPage }));
        nameFiles(plan.course, page);
        pages.append(std::move(page));
    }
    linkNeighbours(plan, pages);
    return pages;
}

void SiteGenerator::nameFiles(const SiteCourse& course, SiteDayPage& page) const
{
    // Handouts first: the month page names them too, and it may see a day
    // whose assignments were not read.
    SiteNames::FolderNames names({ indexPage });
    QList<const SiteFile*> files;
    for (const SiteLesson& lesson : page.courseDay->lessons) {
        for (const SiteFile& file : lesson.handouts)
            files.append(&file);
    }
    for (const SiteLesson& lesson : page.courseDay->lessons) {
        for (const QList<SiteAssignment>* work : { &lesson.assigned, &lesson.due }) {
            for (const SiteAssignment& assignment : *work) {
                for (const SiteFile& file : assignment.files)
                    files.append(&file);
            }
        }
    }
    for (const SiteFile* file : files) {
        const QString name = names.claim(SiteNames::cleanFileName(file->path), QStringLiteral("file"));
        page.fileNames.insert(file, name);
        const bool available
            = page.written ? isCopyable(file->path) : m_writer.exists(join({ course.folder, page.folder, name }));
        if (available)
            page.availableFiles.insert(file);
    }
}

void SiteGenerator::linkNeighbours(const SiteCoursePlan& plan, QList<SiteDayPage>& pages) const
{
    // A neighbour outside the pages read is linked only when an earlier
    // publish left its page in the folder.
    const auto outside = [&](const std::optional<Date>& date) -> std::pair<QString, QString> {
        if (!date)
            return {};
        const QString folder = m_names.dayFolderName(*date);
        if (!m_writer.exists(join({ plan.course.folder, folder, indexPage })))
            return {};
        return { folder, DateFormatting::formatDateStyle(*date, DateFormatting::DateStyle::Long) };
    };
    std::pair<QString, QString> previous = outside(plan.previousBeforeRange);
    for (SiteDayPage& page : pages) {
        std::tie(page.previousFolder, page.previousLabel) = previous;
        if (page.linked)
            previous = { page.folder, page.day->longDate };
    }
    std::pair<QString, QString> next = outside(plan.nextAfterRange);
    for (auto page = pages.rbegin(); page != pages.rend(); ++page) {
        std::tie(page->nextFolder, page->nextLabel) = next;
        if (page->linked)
            next = { page->folder, page->day->longDate };
    }
}

bool SiteGenerator::writeDayPage(const SiteCourse& course, const SiteDayPage& page)
{
    const QString folder = join({ course.folder, page.folder });
    for (auto file = page.fileNames.cbegin(); file != page.fileNames.cend(); ++file) {
        if (page.availableFiles.contains(file.key())
            && !m_writer.copyFile(folder + QLatin1Char('/') + file.value(), file.key()->path))
            return false;
    }
    const SiteMonth* month = nullptr;
    const DateComponents& parts = page.day->parts;
    for (const SiteMonth& candidate : m_months) {
        if (candidate.year == parts.year && candidate.month == parts.month)
            month = &candidate;
    }
    const QString monthFile = month ? month->fileName : m_names.monthFileName(page.day->date);
    const QString monthLabel
        = month ? month->label : DateFormatting::formatPattern(page.day->date, QStringLiteral("LLLL yyyy"));
    const HTMLSingleDayIndex builder(m_frame.settings, course, page, monthFile, monthLabel);
    return m_writer.writeFile(folder + QLatin1Char('/') + indexPage, SitePage::bytes(builder.writeHTML()));
}

std::optional<QString> SiteGenerator::writeMonthPages(const SiteCourse& course, const QList<SiteDayPage>& pages)
{
    QHash<std::pair<int, int>, QHash<int, const SiteDayPage*>> byMonth;
    for (const SiteDayPage& page : pages) {
        if (!m_frame.settings.inCalendarRange(page.day->date))
            continue;
        const DateComponents& parts = page.day->parts;
        byMonth[{ parts.year, parts.month }].insert(parts.day, &page);
    }
    const DateComponents today = LocalCalendar::components(m_frame.settings.today);
    if (m_months.isEmpty())
        return QStringLiteral("../index.html");
    QString opening = m_months.first().fileName;
    QString current;
    for (qsizetype position = 0; position < m_months.size(); ++position) {
        const SiteMonth& month = m_months[position];
        const QHash<int, const SiteDayPage*> monthPages = byMonth.value({ month.year, month.month });
        HTMLCourseMonthIndex builder(m_frame, m_names, course, m_months, int(position), monthPages);
        const QByteArray page = SitePage::bytes(builder.allHTML());
        if (isCancelled()
            || !m_writer.writeFile(join({ course.folder, month.fileName + QStringLiteral(".html") }), page))
            return std::nullopt;
        if (builder.hadData())
            opening = month.fileName;
        if (month.year == today.year && month.month == today.month)
            current = month.fileName;
    }
    if (!current.isEmpty())
        opening = current;
    return HtmlText::pathHref({ opening + QStringLiteral(".html") });
}

bool SiteGenerator::writeRedirect(const SiteCourse& course, const QString& href)
{
    return m_writer.writeFile(join({ course.folder, indexPage }), SitePage::bytes(redirectPage(course.name, href)));
}
