#include "exchange/ExportCourseController.h"

#include "content/UnitExport.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/alerts/FileChooser.h"
#include "model/Course.h"
#include "model/LessonDictionary.h"
#include "model/Year.h"

#include <QDir>

ExportCourseController::ExportCourseController(Year& year, AlertPresenter& alerts, FileChooser& files)
    : m_year(year)
    , m_alerts(alerts)
    , m_files(files)
{ }

void ExportCourseController::windowDidLoad()
{
    m_startDate = m_year.startDate();
    m_endDate = m_year.endDate();
}

QList<Course*> ExportCourseController::courses() const
{
    return m_year.allCoursesInAlphabeticalOrder();
}

Course* ExportCourseController::selectedCourse() const
{
    if (Course* named = m_year.getCourseWithName(m_courseName))
        return named;
    const QList<Course*> all = courses();
    return all.isEmpty() ? nullptr : all.first();
}

void ExportCourseController::dateChanged(Date start, Date end)
{
    m_startDate = start;
    m_endDate = end;
    m_range = Range::DateRange;
}

QString ExportCourseController::exportPressed()
{
    const std::optional<QString> folder
        = m_files.chooseFolder(OpenPanelRequest { UnitExport::folderChooserTitle, {}, {} });
    return folder ? exportToFolder(*folder) : QString();
}

QString ExportCourseController::exportToFolder(const QString& folder)
{
    const Course* course = selectedCourse();
    if (!course)
        return {};
    const QList<Lesson*> lessons = m_range == Range::DateRange ? course->lessonsInOrderFrom(m_startDate, m_endDate)
                                                               : course->allLessonsInOrder();
    const QVariantMap dictionary = LessonDictionary::writeCourse(*course, lessons, [&](qsizetype written) {
        if (m_progress)
            m_progress(written, lessons.size());
    });
    const std::optional<QString> name = UnitExport::writeFile(folder, course->courseName(), dictionary);
    if (!name) {
        m_alerts.inform(QStringLiteral("The course %1 could not be exported").arg(course->courseName()),
            QStringLiteral("The file could not be written in the folder you chose."));
        return {};
    }
    m_alerts.runModal(Alert { QStringLiteral("The course %1 was successfully exported").arg(course->courseName()),
        QStringLiteral("You can find the %1 lessons in the exported course in a file named %2 in the folder you chose")
            .arg(lessons.size())
            .arg(*name),
        QStringLiteral("OK"), {}, {} });
    return QDir(folder).filePath(*name);
}
