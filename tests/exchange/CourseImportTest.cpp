#include "exchange/CourseImport.h"

#include "ExchangeFixture.h"
#include "foundation/color/ColorArchive.h"
#include "foundation/color/Colors.h"
#include "model/AssignedWebLink.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"

// Math's ten lessons are "M0" … "M9" before every import.
class CourseImportTest : public ExchangeFixture {
protected:
    CourseImportTest()
    {
        for (int i = 0; i < lessons.size(); ++i)
            fill(lessons[i], QStringLiteral("M%1").arg(i));
    }

    // Imports onto Math from the day of lessons[3]: seven slots are left.
    bool importOntoMath(const QVariantMap& root)
    {
        file = fileOf(root);
        return CourseImport(*year(), file, alerts).addImportLessonsToCourse(math, days[3]->actualDate());
    }
    QStringList mathTitles() const { return titles(math->allLessonsInOrder()); }

    CourseFile file;
};

TEST_F(CourseImportTest, FewerLessonsFillSlotsFromTheChosenDayItselfAndLeaveTheRest)
{
    EXPECT_TRUE(importOntoMath(courseRoot(QStringLiteral("Old"), 5)));
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(mathTitles(), (QStringList { "M0", "M1", "M2", "L1", "L2", "L3", "L4", "L5", "M8", "M9" }));
    EXPECT_EQ(titles(artLessons).first(), QString());
}

TEST_F(CourseImportTest, MoreLessonsThanSlotsAskFirstThenFillEverySlot)
{
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(importOntoMath(courseRoot(QStringLiteral("Old"), 10)));
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Too Many Lessons"));
    EXPECT_EQ(alerts.last().message,
        QStringLiteral("The class you are trying to import has more lessons (10) than are available (7).  Continue "
                       "with import?"));
    EXPECT_EQ(alerts.last().defaultButton, QStringLiteral("Import Anyway"));
    EXPECT_EQ(mathTitles(), (QStringList { "M0", "M1", "M2", "L1", "L2", "L3", "L4", "L5", "L6", "L7" }));
}

TEST_F(CourseImportTest, CancellingTooManyLessonsLeavesTheYearAsItWas)
{
    QVariantMap root = courseRoot(QStringLiteral("Old"), 10);
    root.insert(QStringLiteral("units"), QStringList { QStringLiteral("Unheard") });
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(importOntoMath(root));
    EXPECT_EQ(mathTitles()[3], QStringLiteral("M3"));
    EXPECT_FALSE(math->unitWithName(QStringLiteral("Unheard")));

    // A new course is counted before it is made, and never made.
    const qsizetype courses = year()->courses().size();
    const qsizetype units = year()->allUnits().size();
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_EQ(CourseImport(*year(), file, alerts).importAsNewCourse(days.mid(3), days[3]->actualDate()), nullptr);
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("(10) than are available (7)")));
    EXPECT_EQ(year()->courses().size(), courses);
    EXPECT_EQ(year()->allUnits().size(), units);
    EXPECT_EQ(days[3]->lessons().size(), 2);
}

TEST_F(CourseImportTest, OverwritingAsksFirstAndCancelChangesNothing)
{
    file = fileOf(courseRoot(QStringLiteral("Old"), 2));
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(CourseImport(*year(), file, alerts).importIntoCourse(math, days[0]->actualDate()));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Overwrite Existing Lessons?"));
    EXPECT_EQ(mathTitles()[0], QStringLiteral("M0"));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(CourseImport(*year(), file, alerts).importIntoCourse(math, days[0]->actualDate()));
    EXPECT_EQ(mathTitles().mid(0, 3), (QStringList { "L1", "L2", "M2" }));
}

TEST_F(CourseImportTest, ATakenNameGetsTheStampThenACounterUntilItIsFree)
{
    file = fileOf(courseRoot(QStringLiteral("Math"), 0));
    CourseImport import(*year(), file, alerts);
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(import.nameForNewCourse(QStringLiteral("957")), QStringLiteral("Math957"));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Course already exists"));
    year()->createCourseWithName(QStringLiteral("Math957"));
    year()->createCourseWithName(QStringLiteral("Math957 2"));
    EXPECT_EQ(import.nameForNewCourse(QStringLiteral("957")), QStringLiteral("Math957 3"));
    EXPECT_EQ(alerts.shown().size(), 2);
}

TEST_F(CourseImportTest, AnEmptyNameBecomesImportedCourseWithoutAQuestion)
{
    file = fileOf(courseRoot(QString(), 0));
    CourseImport import(*year(), file, alerts);
    EXPECT_EQ(import.nameForNewCourse(QStringLiteral("957")), QStringLiteral("Imported Course"));
    EXPECT_TRUE(alerts.shown().isEmpty());
    year()->createCourseWithName(QStringLiteral("Imported Course"));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(import.nameForNewCourse(QStringLiteral("957")), QStringLiteral("Imported Course957"));
}

TEST_F(CourseImportTest, ANewCourseTakesItsDaysUnitsAndColourFromTheFile)
{
    QVariantMap root = courseRoot(QStringLiteral("Chemistry"), 3);
    root.insert(QStringLiteral("colorData"), ColorArchive::archive(QColor(0x8e, 0x5b, 0xc9)));
    root.insert(QStringLiteral("units"), QStringList { QStringLiteral("Atoms") });
    file = fileOf(root);
    Course* course = CourseImport(*year(), file, alerts).importAsNewCourse(days, days[1]->actualDate());
    ASSERT_NE(course, nullptr);
    EXPECT_EQ(course->courseName(), QStringLiteral("Chemistry"));
    EXPECT_EQ(course->color().rgb(), QColor(0x8e, 0x5b, 0xc9).rgb());
    EXPECT_NE(course->unitWithName(QStringLiteral("Atoms")), nullptr);
    EXPECT_EQ(titles(course->allLessonsInOrder()), (QStringList { "", "L1", "L2", "L3", "", "", "", "", "", "" }));
}

TEST_F(CourseImportTest, AColourWeCannotReadKeepsTheDefault)
{
    QVariantMap root = courseRoot(QStringLiteral("Chemistry"), 1);
    root.insert(QStringLiteral("colorData"), QByteArrayLiteral("bplist00\xd4\x01\x02"));
    file = fileOf(root);
    Course* course = CourseImport(*year(), file, alerts).importAsNewCourse(days, days[0]->actualDate());
    ASSERT_NE(course, nullptr);
    EXPECT_EQ(course->color().rgb(), Colors::defaultCourseColor().rgb());
}

TEST_F(CourseImportTest, LessonsJoinListedUnitsAndMatchingStandardsOnly)
{
    auto* standard = insert<Standard>("Standard");
    standard->setValue(u"shortName", QStringLiteral("N.1"));
    standard->setValue(u"text", QStringLiteral("Numbers"));
    standard->setObject(u"year", year());
    const QVariantList standards { QVariantMap { { QStringLiteral("shortName"), QStringLiteral("N.1") },
                                       { QStringLiteral("text"), QStringLiteral("Numbers") } },
        QVariantMap { { QStringLiteral("shortName"), QStringLiteral("N.1") },
            { QStringLiteral("text"), QStringLiteral("Other words") } } };
    QVariantMap root { { QStringLiteral("units"), QStringList { QStringLiteral("Listed") } },
        { QStringLiteral("lessons"),
            QVariantList { QVariantMap { { QStringLiteral("unit"), QStringLiteral("Listed") },
                               { QStringLiteral("standards"), standards } },
                QVariantMap { { QStringLiteral("unit"), QStringLiteral("Unlisted") } }, QVariantMap {} } } };
    lessons[5]->setObject(u"unit", math->addUnitWithName(QStringLiteral("Before")));
    EXPECT_TRUE(importOntoMath(root));
    ASSERT_NE(lessons[3]->unit(), nullptr);
    EXPECT_EQ(lessons[3]->unit()->unitName(), QStringLiteral("Listed"));
    const auto links = lessons[3]->objects<StandardInLesson>(u"standards");
    ASSERT_EQ(links.size(), 1);
    EXPECT_EQ(links[0]->standard(), standard);
    EXPECT_EQ(lessons[4]->unit(), nullptr);
    EXPECT_FALSE(math->unitWithName(QStringLiteral("Unlisted")));
    EXPECT_EQ(lessons[5]->unit(), nullptr);
}

TEST_F(CourseImportTest, AssignmentsKeepTheirDueDistanceOrStopAtTheLastLesson)
{
    // The old content's work goes with it, wherever it was due.
    auto* old = insert<Assignment>("Assignment");
    old->setObject(u"assignedLesson", lessons[3]);
    old->setObject(u"dueLesson", lessons[4]);
    const auto assignment = [](const QString& title, qint64 due) {
        return QVariantMap { { QStringLiteral("title"), title }, { QStringLiteral("dueInNumber"), due } };
    };
    QVariantList entries;
    for (qint64 i = 0; i < 6; ++i)
        entries.append(QVariantMap { { QStringLiteral("assignments"),
            QVariantList { assignment(QStringLiteral("A%1").arg(i), i == 1 ? 50 : 2) } } });
    EXPECT_TRUE(importOntoMath({ { QStringLiteral("lessons"), entries } }));
    EXPECT_TRUE(old->isDeleted());
    for (int i = 0; i < 6; ++i) {
        const QList<Assignment*> given = lessons[3 + i]->assignments();
        ASSERT_EQ(given.size(), 1) << i;
        EXPECT_EQ(given[0]->title(), QStringLiteral("A%1").arg(i));
        EXPECT_EQ(given[0]->dueLesson(), i == 1 ? lessons.last() : lessons[std::min(9, 5 + i)]) << i;
    }
}

TEST_F(CourseImportTest, AttachmentEntriesGiveOnlyTheirListedKeysAndFlags)
{
    const QVariantMap file1 { { QStringLiteral("isFile"), true }, { QStringLiteral("name"), QStringLiteral("Sheet") },
        { QStringLiteral("publish"), true },
        { QStringLiteral("filePath"), QStringLiteral("/home/t/./old/../Sheet.pdf") },
        { QStringLiteral("syncID"), QStringLiteral("FOREIGN") }, { QStringLiteral("lastUpdated"), QStringLiteral("x") },
        { QStringLiteral("lesson"), QStringLiteral("elsewhere") } };
    const QVariantMap file2 { { QStringLiteral("isFile"), true }, { QStringLiteral("name"), qint64(4) },
        { QStringLiteral("filePath"), QStringLiteral("../../etc/passwd") } };
    const QVariantMap link { { QStringLiteral("isFile"), false },
        { QStringLiteral("URL"), QStringLiteral("https://a.example") }, { QStringLiteral("publish"), false } };
    const QVariantMap work { { QStringLiteral("title"), QStringLiteral("Essay") },
        { QStringLiteral("dueInNumber"), qint64(1) }, { QStringLiteral("syncID"), QStringLiteral("FOREIGN") },
        { QStringLiteral("attachments"),
            QVariantList { QVariantMap { { QStringLiteral("isFile"), false }, { QStringLiteral("publish"), true },
                { QStringLiteral("URL"), QStringLiteral("https://b.example") } } } } };
    EXPECT_TRUE(importOntoMath({ { QStringLiteral("lessons"),
        QVariantList { QVariantMap { { QStringLiteral("attachments"), QVariantList { file1, file2, link } },
            { QStringLiteral("assignments"), QVariantList { work } } } } } }));

    QList<AttachedFile*> files = lessons[3]->objects<AttachedFile>(u"attachments");
    std::sort(files.begin(), files.end(), [](auto* a, auto* b) { return a->name() > b->name(); });
    ASSERT_EQ(files.size(), 2);
    EXPECT_EQ(files[0]->name(), QStringLiteral("Sheet"));
    EXPECT_TRUE(files[0]->isPublished());
    EXPECT_EQ(files[0]->value<QString>(u"filePath"), QStringLiteral("/home/t/Sheet.pdf"));
    EXPECT_EQ(files[0]->value<QString>(u"syncID"), QString());
    EXPECT_EQ(files[0]->lesson(), lessons[3]);
    EXPECT_EQ(files[1]->name(), QString());
    EXPECT_EQ(files[1]->value<QString>(u"filePath"), QString());
    const auto links = lessons[3]->objects<AttachedWebLink>(u"attachments");
    ASSERT_EQ(links.size(), 1);
    EXPECT_FALSE(links[0]->isPublished());
    const QList<Assignment*> given = lessons[3]->assignments();
    ASSERT_EQ(given.size(), 1);
    EXPECT_EQ(given[0]->value<QString>(u"syncID"), QString());
    ASSERT_EQ(given[0]->webLinks().size(), 1);
    EXPECT_TRUE(given[0]->webLinks()[0]->isPublished());
}
