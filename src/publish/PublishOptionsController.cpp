#include "publish/PublishOptionsController.h"

#include "foundation/dates/LocalCalendar.h"
#include "foundation/prefs/Preferences.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/PublishInfo.h"
#include "model/Year.h"
#include "publish/PublishController.h"
#include "publish/PublishThemes.h"
#include "publish/SiteGenerator.h"
#include "publish/SiteSnapshotReader.h"
#include "publish/SiteWriter.h"

#include <QDir>
#include <QStandardPaths>

namespace {

// Setting a value marks the document changed even when it is the same;
// a sheet confirmed without changes leaves the document as it was.
void store(PublishInfo& info, QStringView key, const QVariant& value)
{
    if (info.value(key) != value)
        info.setValue(key, value);
}

} // namespace

PublishOptionsController::PublishOptionsController(Year& year)
    : m_year(year)
{
    windowDidLoad();
}

void PublishOptionsController::windowDidLoad()
{
    m_settings = SiteSnapshotReader::settings(m_year);
    const PublishInfo* info = m_year.publish();
    m_settings.theme = PublishThemes::resolve(info ? info->cssTheme() : QString());
}

void PublishOptionsController::selectTheme(const QString& theme)
{
    m_settings.theme = PublishThemes::resolve(theme);
    Preferences::shared().setValue(QStringLiteral("cssTheme"), m_settings.theme);
}

void PublishOptionsController::okPressed()
{
    PublishInfo& info = PublishController::publishInfoOf(m_year);
    store(info, u"cssTheme", m_settings.theme);
    store(info, u"mainIndexTitle", m_settings.mainTitle);
    store(info, u"mainIndexIntro", m_settings.introduction);
    store(info, u"monthIndexHeader", m_settings.monthHeader);
    store(info, u"monthIndexFooter", m_settings.monthFooter);
    store(info, u"showMadeWithSemestra", m_settings.showCredit);
    for (size_t field = 0; field < publishFieldSwitches.size(); ++field)
        store(info, publishFieldSwitches[field], m_settings.publishField[field]);
    store(info, u"publishFiles", m_settings.publishFiles);
    store(info, u"publishLinks", m_settings.publishLinks);
    store(info, u"publishStandards", m_settings.publishStandards);
}

std::optional<QString> PublishOptionsController::buildPreview()
{
    QDir(m_previewFolder).removeRecursively();
    SiteSettings settings = m_settings;
    const Lesson* lesson = m_year.getLessonWithData();
    const Day* day = lesson ? lesson->dayTaught() : nullptr;
    if (day) {
        const Date date = day->actualDate();
        settings.calendarStart = date.firstDayOfMonth();
        settings.calendarEnd = LocalCalendar::addingDays(date.firstDayOfNextMonth(), -1).elevenFiftyNineDate();
        settings.lessonStart = date.midnightDate();
        settings.lessonEnd = date.elevenFiftyNineDate();
    }
    SiteSnapshotReader reader(m_year);
    const SiteFrame frame = reader.readFrame(settings);
    SiteWriter writer(m_previewFolder);
    SiteGenerator generator(frame, writer);
    if (!generator.writeTheme())
        return std::nullopt;
    QString shown = QStringLiteral("index.html");
    for (const SiteCourse& course : frame.courses) {
        if (!day || course.key != lesson->course()->primaryKey())
            continue;
        const std::optional<SiteCoursePlan> plan = reader.readCourse(course);
        if (!plan || !generator.writeCourse(*plan))
            return std::nullopt;
        shown = course.folder + QLatin1Char('/') + generator.dateNames().dayFolderName(day->actualDate())
            + QStringLiteral("/index.html");
    }
    if (!generator.writeTopLevelIndex())
        return std::nullopt;
    return QDir(m_previewFolder).filePath(shown);
}

QString PublishOptionsController::defaultPreviewFolder()
{
    return QDir(QStandardPaths::writableLocation(QStandardPaths::CacheLocation)).filePath(QStringLiteral("Preview"));
}
