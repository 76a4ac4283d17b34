#include "cli/DemoYearFiller.h"

#include "cli/CliDates.h"
#include "foundation/random/RandomSource.h"
#include "foundation/richtext/RichText.h"
#include "model/Assignment.h"
#include "model/Course.h"
#include "model/Lesson.h"
#include "model/PublishInfo.h"
#include "model/Standard.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "store/ObjectContext.h"

#include <QColor>

namespace {

constexpr std::uint64_t demoSeed = 20250902;
constexpr int lessonsPerUnit = 8;
constexpr int standardsPerCourse = 5;
constexpr int assignmentEvery = 3;
constexpr int webLinkEvery = 4;
constexpr int fileEvery = 7;
constexpr int maximumPoints = 50;

const QStringList subjects { QStringLiteral("Algebra I"), QStringLiteral("Biology"), QStringLiteral("World History"),
    QStringLiteral("English 10"), QStringLiteral("Spanish II"), QStringLiteral("Studio Art") };

const QStringList activities { QStringLiteral("Warm-up and review"), QStringLiteral("Guided practice"),
    QStringLiteral("Group investigation"), QStringLiteral("Discussion"), QStringLiteral("Quiz and reflection") };

// A small styled body: a bold heading line and an italic closing line, in
// the RTF the editors write.
QByteArray styledBody(const QString& title, const QString& activity)
{
    const QString rtf = QStringLiteral("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fswiss Helvetica;}"
                                       "\\f0\\fs24 {\\b Objective:} %1\\par %2 for the whole class.\\par "
                                       "{\\i Exit ticket: one thing learned today.}}")
                            .arg(title, activity);
    return rtf.toLatin1();
}

} // namespace

DemoYearFiller::DemoYearFiller(Year& year)
    : m_year(year)
    , m_context(year.context())
{
    for (Standard* standard : m_year.allStandards()) {
        if (standard->isRootItem())
            m_root = standard;
    }
}

QStringList DemoYearFiller::courseNames(int scale)
{
    QStringList names;
    for (int section = 1; section <= scale; ++section) {
        for (const QString& subject : subjects)
            names.append(section == 1 ? subject : QStringLiteral("%1 (section %2)").arg(subject).arg(section));
    }
    return names;
}

NewYearRequest DemoYearFiller::request(int scale)
{
    NewYearRequest request;
    request.startDate = *CliDates::parseDay(QStringLiteral("2025-09-02"));
    request.endDate = *CliDates::parseDay(QStringLiteral("2026-06-19"));
    request.teachingDays = { 1, 2, 3, 4, 5 };
    request.courseNames = courseNames(scale);
    return request;
}

void DemoYearFiller::seedRandomSource()
{
    RandomSource::shared().seed(demoSeed);
}

Year* DemoYearFiller::buildYear(ObjectContext& context, AlertPresenter& alerts, int scale)
{
    seedRandomSource();
    Year* year = request(scale).build(context, alerts);
    if (year)
        DemoYearFiller(*year).fill();
    return year;
}

void DemoYearFiller::fill()
{
    setUpDisplay();
    setUpPublishing();
    for (Course* course : m_year.courses()) {
        const QList<Standard*> standards = addStandards(*course);
        Unit* unit = nullptr;
        int number = 0;
        for (Lesson* lesson : course->allLessonsInOrder()) {
            if (number % lessonsPerUnit == 0)
                unit = course->addUnitWithName(QStringLiteral("Unit %1").arg(number / lessonsPerUnit + 1));
            lesson->setObject(u"unit", unit);
            fillLesson(*lesson, ++number, standards);
        }
    }
}

void DemoYearFiller::setUpDisplay()
{
    // The labels and visible fields a teacher would have chosen, and one
    // colour per subject so that the courses tell apart at a glance.
    m_year.setValue(u"lessonBodyTitle", QStringLiteral("Plan"));
    m_year.setValue(u"homeworkTitle", QStringLiteral("Homework"));
    m_year.setValue(u"publicCommentTitle", QStringLiteral("For Families"));
    m_year.setValue(u"showTeacher", true);
    m_year.setValue(u"showHomework", true);
    const QList<QColor> colors { QColor(0x2e, 0x6f, 0xd8), QColor(0x2e, 0x9d, 0x5b), QColor(0xc2, 0x45, 0x3c),
        QColor(0x8e, 0x5b, 0xc9), QColor(0xe3, 0x9b, 0x1b), QColor(0x1f, 0x9e, 0xa8) };
    const QList<Course*> courses = m_year.courses();
    for (qsizetype index = 0; index < courses.size(); ++index)
        courses[index]->setColor(colors.at(index % colors.size()));
}

void DemoYearFiller::setUpPublishing()
{
    // A class web site that shows families every part of a lesson.
    PublishInfo* publish = m_year.publish();
    if (!publish)
        return;
    publish->setValue(u"cssTheme", QStringLiteral("Default"));
    publish->setValue(u"mainIndexTitle", QStringLiteral("Ms. Rivera's Classes"));
    publish->setValue(u"mainIndexIntro",
        QStringLiteral("Plans, homework and handouts for every class, day by day. Subscribe to a course's calendar "
                       "from its month pages."));
    publish->setValue(u"monthIndexHeader", QStringLiteral("Room 214 · Office hours Tuesday and Thursday after school"));
    publish->setValue(u"monthIndexFooter", QStringLiteral("Questions? Write to rivera@school.example.org"));
    for (const char* flag :
        { "publishLessonBody", "publishHomework", "publishPublicComment", "publishCustom1", "publishCustom2",
            "publishCustom3", "publishStandards", "publishFiles", "publishLinks", "showMadeWithSemestra" })
        publish->setValue(QString::fromLatin1(flag), true);
}

QList<Standard*> DemoYearFiller::addStandards(const Course& course)
{
    auto* branch = m_context.insert<Standard>(QStringLiteral("Standard"));
    branch->setValue(u"shortName", course.courseName());
    branch->setValue(u"text", QStringLiteral("Standards for %1").arg(course.courseName()));
    branch->setObject(u"year", &m_year);
    branch->setObject(u"parent", m_root);
    QList<Standard*> standards;
    for (int i = 1; i <= standardsPerCourse; ++i) {
        auto* standard = m_context.insert<Standard>(QStringLiteral("Standard"));
        standard->setValue(u"shortName", QStringLiteral("%1.%2").arg(course.courseName().left(3).toUpper()).arg(i));
        standard->setValue(
            u"text", QStringLiteral("Students can explain key idea %1 of %2").arg(i).arg(course.courseName()));
        standard->setObject(u"year", &m_year);
        standard->setObject(u"parent", branch);
        standards.append(standard);
    }
    return standards;
}

void DemoYearFiller::fillLesson(Lesson& lesson, int number, const QList<Standard*>& standards)
{
    const QString activity = activities.at(RandomSource::shared().uniform(std::uint32_t(activities.size())));
    const QString title = QStringLiteral("%1: lesson %2").arg(lesson.courseName()).arg(number);
    lesson.setValue(u"lessonTitle", title);
    lesson.setValue(u"lessonBody", styledBody(title, activity));
    lesson.setValue(
        u"homework", RichText::fromPlainText(QStringLiteral("Read pages %1-%2.").arg(number * 4).arg(number * 4 + 3)));
    lesson.setValue(u"publicComment", RichText::fromPlainText(QStringLiteral("Today: %1.").arg(activity.toLower())));
    linkStandard(lesson, *standards.at(RandomSource::shared().uniform(std::uint32_t(standards.size()))));
    if (number % assignmentEvery == 0)
        addAssignment(lesson, number);
    attach(lesson, number);
}

void DemoYearFiller::addAssignment(Lesson& lesson, int number)
{
    auto* assignment = m_context.insert<Assignment>(QStringLiteral("Assignment"));
    const QString details = QStringLiteral("Complete the practice set for lesson %1.").arg(number);
    assignment->setValue(u"title", QStringLiteral("Practice set %1").arg(number / assignmentEvery));
    assignment->setValue(u"details", RichText::fromPlainText(details));
    assignment->setValue(u"detailsString", details);
    assignment->setValue(u"points", int(RandomSource::shared().uniform(maximumPoints)) + 1);
    assignment->setObject(u"assignedLesson", &lesson);
    assignment->setObject(u"dueLesson", lesson.lessonFollowing());
    auto* link = m_context.insertObject(QStringLiteral("AssignedWebLink"));
    link->setValue(u"name", QStringLiteral("Answer key"));
    link->setValue(u"URL", QStringLiteral("https://school.example.org/keys/%1").arg(number));
    link->setObject(u"assignment", assignment);
}

void DemoYearFiller::attach(Lesson& lesson, int number)
{
    if (number % webLinkEvery == 0) {
        auto* link = m_context.insertObject(QStringLiteral("AttachedWebLink"));
        link->setValue(u"name", QStringLiteral("Reading for lesson %1").arg(number));
        link->setValue(u"URL", QStringLiteral("https://library.example.org/readings/%1").arg(number));
        link->setValue(u"publish", true);
        link->setObject(u"lesson", &lesson);
    }
    if (number % fileEvery == 0) {
        auto* file = m_context.insertObject(QStringLiteral("AttachedFile"));
        file->setValue(u"name", QStringLiteral("Handout %1.pdf").arg(number));
        file->setValue(u"filePath", QStringLiteral("/home/teacher/Handouts/Handout %1.pdf").arg(number));
        file->setObject(u"lesson", &lesson);
    }
}

void DemoYearFiller::linkStandard(Lesson& lesson, Standard& standard)
{
    auto* link = m_context.insertObject(QStringLiteral("StandardInLesson"));
    link->setValue(u"implementationNotes", QStringLiteral("Practised in class"));
    link->setObject(u"lesson", &lesson);
    link->setObject(u"standard", &standard);
}
