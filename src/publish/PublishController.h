#pragma once

#include "foundation/dates/Date.h"
#include "model/PublishInfo.h"
#include "publish/PublishOutcome.h"
#include "publish/SiteSnapshot.h"
#include "publish/SiteWriter.h"

#include <memory>

class AlertPresenter;
class FileChooser;
class PublishJob;
class QObject;
class Year;

// The publish sheet: where the site goes (the "local" tab: a folder on
// this computer), which dates it covers, and the publish itself. An upload
// tab reuses the same site: the generator writes into a folder either way.
class PublishController {
public:
    PublishController(Year& year, AlertPresenter& alerts, FileChooser& files);

    // The year's publishing settings, made with empty ones when the year
    // has none (a year imported from the Windows edition).
    PublishInfo& publishInfo() { return publishInfoOf(m_year); }
    static PublishInfo& publishInfoOf(Year& year);

    // Asks for a folder, starting at the chosen one; none when the teacher
    // cancelled. The sheet keeps the answer until the teacher publishes.
    std::optional<QString> choosePressed();
    void setLocalExportLocation(const QString& folder);
    // The chosen folder as an absolute path; empty while none is chosen.
    QString publishPath() const;
    // Tells the teacher and answers false while no folder is chosen.
    bool checkFolder();

    // Both ranges at once, from the first day's midnight to the last day's
    // 23:59:59.
    void setRanges(Date first, Date last);
    void setCalendarRange(Date first, Date last);
    void setLessonRange(Date first, Date last);
    void setTheme(const QString& theme);

    SiteSettings settings() const;

    // Writes the site into `root` on this thread, telling `listener` of
    // each file written, and then finishes as publishFinished() does.
    PublishOutcome publishNow(const QString& root, const SiteWriter::Listener& listener = {});
    // Only writes the site, for an upload that decides what it means.
    PublishOutcome generate(const QString& root, const SiteWriter::Listener& listener = {});
    // The same in the background, into the chosen folder or `root`; the
    // caller starts the job and calls publishFinished() when it ends.
    std::unique_ptr<PublishJob> makeJob(QObject* parent = nullptr);
    std::unique_ptr<PublishJob> makeJob(const QString& root, QObject* parent = nullptr);

    // After a publish that worked, every published course counts as
    // published up to the calendar's end and the local tab is remembered;
    // a failure is reported, naming the file, and changes nothing.
    void publishFinished(const PublishOutcome& outcome);
    // Every published course counts as published up to the calendar's end;
    // the sheet opens on `connection`'s tab next time.
    void markPublished(PublishInfo::ConnectionType connection);
    void setPublishDates(Date date);

    static const QString noFolderTitle;
    static const QString failedTitle;

private:
    void setRange(QStringView startKey, QStringView endKey, Date first, Date last);

    Year& m_year;
    AlertPresenter& m_alerts;
    FileChooser& m_files;
};
