#include "exchange/ImportCourseController.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/dates/RotationLabels.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"

#include <QDir>
#include <QFileInfo>

#include <algorithm>

ImportCourseController::ImportCourseController(Year& year, AlertPresenter& alerts)
    : m_year(year)
    , m_alerts(alerts)
{ }

OpenPanelRequest ImportCourseController::openPanelRequest()
{
    return OpenPanelRequest { QStringLiteral("Import Course"), QDir::homePath(), { QStringLiteral("plist") } };
}

void ImportCourseController::setFilePath(const QString& path)
{
    m_filePath = path;
    m_file = CourseFile::read(path);
    setupTableView();
    m_addNewDate = m_year.startDate();
    m_addExistingDate = m_year.startDate();
    const QList<Course*> all = courses();
    m_chosenCourse = all.isEmpty() ? nullptr : all.first();
}

QString ImportCourseController::topText() const
{
    if (!m_file)
        return QStringLiteral("The file %1 is not a course file that can be imported")
            .arg(QFileInfo(m_filePath).fileName());
    return QStringLiteral("You are about to import a course named %1 containing %2 lessons")
        .arg(m_file->courseName)
        .arg(m_file->lessons.size());
}

void ImportCourseController::setupTableView()
{
    m_rows.clear();
    switch (m_year.typeOfSchedule()) {
    case Year::Traditional:
        m_rows.append({ QStringLiteral("All Days"), 0 });
        return;
    case Year::WeeklyRepeating: {
        const QHash<QString, bool> taught = m_year.getDaysInWeek();
        const QStringList names = DateFormatting::weekdaySymbols(DateFormatting::SymbolWidth::Full);
        for (int index = 0; index < names.size(); ++index) {
            if (taught.value(names.at(index)))
                m_rows.append({ names.at(index), index });
        }
        return;
    }
    default:
        for (int type = 0; type < m_year.repeatInterval(); ++type)
            m_rows.append({ RotationLabels::typeOfDayLetter(type), type });
    }
}

bool ImportCourseController::tableIsConsulted() const
{
    return m_year.typeOfSchedule() != Year::Traditional;
}

void ImportCourseController::setIncluded(qsizetype row, bool include)
{
    if (row >= 0 && row < m_rows.size())
        m_rows[row].include = include;
}

QList<Course*> ImportCourseController::courses() const
{
    return m_year.allCoursesInAlphabeticalOrder();
}

Date ImportCourseController::withinYear(Date date) const
{
    return std::clamp(date, m_year.startDate(), m_year.endDate());
}

QList<Day*> ImportCourseController::daysForNewCourse() const
{
    QList<Day*> days;
    if (!tableIsConsulted()) {
        for (const Day* day : m_year.getOneDayOfEachDayInWeekCanBeCustom(Year::Custom::Included))
            days += m_year.getAllDaysWithDayOfWeek(day->weekDayName(), Year::Custom::Included);
        return days;
    }
    for (const ImportScheduleRow& row : m_rows) {
        if (!row.include)
            continue;
        days += m_year.typeOfSchedule() == Year::WeeklyRepeating
            ? m_year.getAllDaysWithDayOfWeek(row.dayOfWeek, Year::Custom::Excluded)
            : m_year.getAllDaysWithType(row.position, Year::Custom::Excluded);
    }
    return days;
}

bool ImportCourseController::refuseUnreadableFile()
{
    if (m_file)
        return false;
    m_alerts.inform(QStringLiteral("The course could not be imported"),
        QStringLiteral("The file %1 is not a course file that can be imported.").arg(QFileInfo(m_filePath).fileName()));
    return true;
}

CourseImport ImportCourseController::importer()
{
    CourseImport import(m_year, *m_file, m_alerts);
    import.setProgress(m_progress);
    return import;
}

Course* ImportCourseController::importNewPressed()
{
    if (refuseUnreadableFile())
        return nullptr;
    Course* course = importer().importAsNewCourse(daysForNewCourse(), m_addNewDate);
    if (course) {
        NotificationCenter::defaultCenter().post(PlanningNotifications::courseAdded, &m_year);
        NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, &m_year);
    }
    return course;
}

bool ImportCourseController::importExistingPressed()
{
    if (refuseUnreadableFile() || !m_chosenCourse)
        return false;
    if (!importer().importIntoCourse(m_chosenCourse, m_addExistingDate))
        return false;
    NotificationCenter::defaultCenter().post(PlanningNotifications::planningModesNeedRefresh, &m_year);
    return true;
}
