#include "publish/PublishController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "model/Course.h"
#include "model/PublishInfo.h"
#include "model/Year.h"
#include "publish/PublishJob.h"
#include "publish/PublishThemes.h"
#include "publish/SiteGenerator.h"
#include "publish/SiteSnapshotReader.h"
#include "store/ObjectContext.h"

#include <QDir>

const QString PublishController::noFolderTitle = QStringLiteral("No Folder Chosen");
const QString PublishController::failedTitle = QStringLiteral("The web site could not be published.");

PublishController::PublishController(Year& year, AlertPresenter& alerts, FileChooser& files)
    : m_year(year)
    , m_alerts(alerts)
    , m_files(files)
{ }

PublishInfo& PublishController::publishInfoOf(Year& year)
{
    if (PublishInfo* info = year.publish())
        return *info;
    auto* info = year.context().insert<PublishInfo>(QStringLiteral("PublishInfo"));
    info->setValue(u"cssTheme", PublishThemes::names().first());
    info->setValue(u"localExportLocation", QString());
    for (QStringView key :
        { u"calendarExportStartDate", u"calendarExportEndDate", u"lessonExportStartDate", u"lessonExportEndDate" })
        info->setDate(key, year.startDate());
    year.setObject(u"publish", info);
    return *info;
}

std::optional<QString> PublishController::choosePressed()
{
    const QString current = publishPath();
    const std::optional<QString> folder
        = m_files.chooseFolder({ QStringLiteral("Choose"), current.isEmpty() ? QDir::homePath() : current, {} });
    if (!folder)
        return std::nullopt;
    return QDir::cleanPath(*folder);
}

void PublishController::setLocalExportLocation(const QString& folder)
{
    if (publishInfo().localExportLocation() != folder)
        publishInfo().setValue(u"localExportLocation", folder);
}

QString PublishController::publishPath() const
{
    const PublishInfo* info = m_year.publish();
    return info ? info->fullLocalPath() : QString();
}

bool PublishController::checkFolder()
{
    if (!publishPath().isEmpty())
        return true;
    m_alerts.inform(noFolderTitle, QStringLiteral("Choose the folder to publish the web site into, then publish."));
    return false;
}

void PublishController::setRanges(Date first, Date last)
{
    setCalendarRange(first, last);
    setLessonRange(first, last);
}

void PublishController::setCalendarRange(Date first, Date last)
{
    setRange(u"calendarExportStartDate", u"calendarExportEndDate", first, last);
}

void PublishController::setLessonRange(Date first, Date last)
{
    setRange(u"lessonExportStartDate", u"lessonExportEndDate", first, last);
}

void PublishController::setRange(QStringView startKey, QStringView endKey, Date first, Date last)
{
    PublishInfo& info = publishInfo();
    info.setDate(startKey, first.midnightDate());
    info.setDate(endKey, last.midnightDate());
}

void PublishController::setTheme(const QString& theme)
{
    publishInfo().setValue(u"cssTheme", PublishThemes::resolve(theme));
}

SiteSettings PublishController::settings() const
{
    return SiteSnapshotReader::settings(m_year);
}

PublishOutcome PublishController::publishNow(const QString& root, const SiteWriter::Listener& listener)
{
    const PublishOutcome outcome = generate(root, listener);
    publishFinished(outcome);
    return outcome;
}

PublishOutcome PublishController::generate(const QString& root, const SiteWriter::Listener& listener)
{
    SiteSnapshotReader reader(m_year);
    const SiteFrame frame = reader.readFrame(settings());
    SiteWriter writer(root);
    writer.setListener(listener);
    SiteGenerator generator(frame, writer);
    QList<SiteCourse> courses = frame.publishedCourses();
    const bool written = generator.generate([&]() -> std::optional<SiteCoursePlan> {
        while (!courses.isEmpty()) {
            if (std::optional<SiteCoursePlan> plan = reader.readCourse(courses.takeFirst()))
                return plan;
        }
        return std::nullopt;
    });
    PublishOutcome outcome;
    outcome.filesWritten = writer.filesWritten();
    outcome.filesUnchanged = writer.filesUnchanged();
    if (!written) {
        outcome.result = PublishOutcome::Result::Failed;
        outcome.failedPath = writer.failedPath();
        outcome.reason = writer.failureReason();
    }
    return outcome;
}

std::unique_ptr<PublishJob> PublishController::makeJob(QObject* parent)
{
    return makeJob(publishPath(), parent);
}

std::unique_ptr<PublishJob> PublishController::makeJob(const QString& root, QObject* parent)
{
    return std::make_unique<PublishJob>(m_year, settings(), root, parent);
}

void PublishController::publishFinished(const PublishOutcome& outcome)
{
    if (outcome.result == PublishOutcome::Result::Failed) {
        m_alerts.inform(failedTitle,
            QStringLiteral("“%1” could not be written: %2. Nothing was marked as published.")
                .arg(outcome.failedPath, outcome.reason));
        return;
    }
    if (outcome.published())
        markPublished(PublishInfo::Local);
}

void PublishController::markPublished(PublishInfo::ConnectionType connection)
{
    PublishInfo& info = publishInfo();
    setPublishDates(info.date(u"calendarExportEndDate").value_or(m_year.startDate()));
    info.setValue(u"defaultConnectionType", int(connection));
}

void PublishController::setPublishDates(Date date)
{
    for (Course* course : m_year.courses()) {
        if (course->value<int>(u"publish") != 0)
            course->setDate(u"latestUploadDate", date);
    }
}
