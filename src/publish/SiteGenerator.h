#pragma once

#include "publish/SiteDayPage.h"
#include "publish/SiteNames.h"

#include <atomic>
#include <functional>
#include <optional>

class SiteWriter;

// Writes a whole site from plain copies of the year: the theme, for every
// published course its day pages (with their copied files), month pages,
// the address that opens on the right month and the calendar feed, then
// the top-level page. It touches no record, so it may run on any thread.
class SiteGenerator {
public:
    // The next published course; none when all were handed out.
    using CourseSource = std::function<std::optional<SiteCoursePlan>()>;
    using Progress = std::function<void(int coursesDone, int courseCount)>;

    SiteGenerator(const SiteFrame& frame, SiteWriter& writer);

    void setProgress(Progress progress) { m_progress = std::move(progress); }
    // Checked between pages; a cancelled run stops where it is.
    void setCancelFlag(const std::atomic<bool>* cancelled) { m_cancelled = cancelled; }

    // False when a file could not be written (the writer says which) or
    // the run was cancelled.
    bool generate(const CourseSource& nextCourse);
    bool writeTheme();
    bool writeCourse(const SiteCoursePlan& plan);
    bool writeTopLevelIndex();

    // The months of the calendar range, in order.
    const QList<SiteMonth>& months() const { return m_months; }
    const SiteNames::DateNames& dateNames() const { return m_names; }

private:
    QList<SiteDayPage> layOutPages(const SiteCoursePlan& plan) const;
    void nameFiles(const SiteCourse& course, SiteDayPage& page) const;
    void linkNeighbours(const SiteCoursePlan& plan, QList<SiteDayPage>& pages) const;
    bool writeDayPage(const SiteCourse& course, const SiteDayPage& page);
    // Writes the month pages; answers the address (relative to the course's
    // folder) that the course's own address leads on to.
    std::optional<QString> writeMonthPages(const SiteCourse& course, const QList<SiteDayPage>& pages);
    bool writeRedirect(const SiteCourse& course, const QString& href);
    bool isCancelled() const { return m_cancelled && m_cancelled->load(); }

    const SiteFrame& m_frame;
    SiteWriter& m_writer;
    SiteNames::DateNames m_names;
    QList<SiteMonth> m_months;
    Progress m_progress;
    const std::atomic<bool>* m_cancelled = nullptr;
};
