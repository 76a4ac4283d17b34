#include "exchange/CourseImport.h"

#include "foundation/alerts/AlertPresenter.h"
#include "foundation/dates/Clock.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <algorithm>

const QString CourseImport::defaultCourseName = QStringLiteral("Imported Course");

CourseImport::CourseImport(Year& year, const CourseFile& file, AlertPresenter& alerts)
    : m_year(year)
    , m_file(file)
    , m_alerts(alerts)
{ }

QString CourseImport::nameForNewCourse(const QString& stamp)
{
    const QString name = m_file.courseName.isEmpty() ? defaultCourseName : m_file.courseName;
    if (!m_year.getCourseWithName(name))
        return name;
    m_alerts.runModal(Alert { QStringLiteral("Course already exists"),
        QStringLiteral("This Semestra file already contains a course with the name of the soon-to-be imported "
                       "course.  The course name will be altered to avoid conflicts"),
        QStringLiteral("Ok"), {}, {} });
    const QString stamped = name + stamp;
    QString candidate = stamped;
    for (int counter = 2; m_year.getCourseWithName(candidate); ++counter)
        candidate = QStringLiteral("%1 %2").arg(stamped).arg(counter);
    return candidate;
}

Course* CourseImport::importAsNewCourse(const QList<Day*>& days, Date startDate)
{
    const QString name = nameForNewCourse(DateFormatting::formatPattern(Clock::now(), QStringLiteral("kms")));
    // A new course has one slot on each of its days, so its slots can be
    // counted before anything is made.
    const Date first = startDate.midnightDate();
    const Date last = m_year.endDate().elevenFiftyNineDate();
    const auto available = std::count_if(days.begin(), days.end(),
        [&](const Day* day) { return day->actualDate() >= first && day->actualDate() <= last; });
    if (!mayPlace(available))
        return nullptr;
    Course* course = m_year.createCourseWithName(name);
    course->updateTime();
    addCourse(course, days);
    if (m_file.color)
        course->setColor(*m_file.color);
    place(*course, course->lessonsInOrderFrom(startDate, m_year.endDate()));
    return course;
}

bool CourseImport::importIntoCourse(Course* course, Date startDate)
{
    const int answer = m_alerts.runModal(Alert { QStringLiteral("Overwrite Existing Lessons?"),
        QStringLiteral("Importing into an existing class will cause any lessons currently containing information to "
                       "be overwritten."),
        QStringLiteral("Continue"), QStringLiteral("Cancel"), {} });
    return answer == AlertDefaultReturn && addImportLessonsToCourse(course, startDate);
}

bool CourseImport::addImportLessonsToCourse(Course* course, Date startDate)
{
    const QList<Lesson*> targets = course->lessonsInOrderFrom(startDate, m_year.endDate());
    if (!mayPlace(targets.size()))
        return false;
    place(*course, targets);
    return true;
}

void CourseImport::addCourse(Course* course, const QList<Day*>& days)
{
    for (Day* day : days)
        day->addLessonInCourse(course);
}

bool CourseImport::mayPlace(qsizetype available)
{
    if (m_file.lessons.size() <= available)
        return true;
    const int answer = m_alerts.runModal(Alert { QStringLiteral("Too Many Lessons"),
        QStringLiteral("The class you are trying to import has more lessons (%1) than are available (%2).  Continue "
                       "with import?")
            .arg(m_file.lessons.size())
            .arg(available),
        QStringLiteral("Import Anyway"), QStringLiteral("Cancel"), {} });
    return answer == AlertDefaultReturn;
}

void CourseImport::addMissingUnits(Course& course)
{
    for (const QString& name : m_file.units) {
        if (!course.unitWithName(name))
            course.addUnitWithName(name);
    }
}

void CourseImport::place(Course& course, const QList<Lesson*>& targets)
{
    addMissingUnits(course);
    const qsizetype count = std::min(targets.size(), m_file.lessons.size());
    // Each import replaces the work given in its slot and leaves the work due
    // there alone, so an assignment imported earlier and due in a later slot
    // keeps its due lesson.
    for (qsizetype i = 0; i < count; ++i) {
        targets[i]->importFromDictionary(m_file.lessons[i], Lesson::Notify::No);
        if (m_progress)
            m_progress(i + 1, count);
    }
}
