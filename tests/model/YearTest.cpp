#include "model/Year.h"

#include "ModelFixture.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonReportInformation.h"
#include "model/MyCourse.h"
#include "model/Week.h"

namespace {

class YearTest : public ModelFixture {
protected:
    Year* year = insert<Year>("Year");

    // A lesson on a day of a week of the year, with a file and a link.
    Lesson* lessonWithAttachments()
    {
        auto* week = insert<Week>("Week");
        auto* day = insert<Day>("Day");
        auto* lesson = insert<Lesson>("Lesson");
        week->setObject(u"year", year);
        day->setObject(u"week", week);
        lesson->setObject(u"dayTaught", day);
        auto* file = insert<AttachedFile>("AttachedFile");
        auto* link = insert<AttachedWebLink>("AttachedWebLink");
        file->setObject(u"lesson", lesson);
        link->setObject(u"lesson", lesson);
        lesson->setValue(u"syncID", QStringLiteral(" L1\n"));
        file->setValue(u"syncID", QStringLiteral("F1"));
        link->setValue(u"syncID", QStringLiteral("W1"));
        return lesson;
    }
};

} // namespace

TEST_F(YearTest, DeleteStackKeepsOneEntryPerRecordAndSkipsUnsentOnes)
{
    auto* course = insert<MyCourse>("MyCourse");
    course->setObject(u"year", year);
    course->addToDeleteStack();
    EXPECT_TRUE(year->deleteStack().isEmpty());

    course->setValue(u"syncID", QStringLiteral("77"));
    course->addToDeleteStack();
    course->addToDeleteStack();
    EXPECT_EQ(year->deleteStack(), QStringLiteral("77:course,"));
}

// Service identifiers are numbers, so one entry can be the tail of another:
// a deletion must not be skipped because a longer identifier ends with it.
// A stack that lost its closing comma still holds its last entry, and the
// next one does not run into it.
TEST_F(YearTest, DeleteStackComparesWholeEntries)
{
    auto* course = insert<MyCourse>("MyCourse");
    course->setObject(u"year", year);
    year->setValue(u"teacherPhone", QStringLiteral("112:course"));
    course->setValue(u"syncID", QStringLiteral("112"));
    course->addToDeleteStack();
    EXPECT_EQ(year->deleteStack(), QStringLiteral("112:course"));
    course->setValue(u"syncID", QStringLiteral("12"));
    course->addToDeleteStack();
    EXPECT_EQ(year->deleteStack(), QStringLiteral("112:course,12:course,"));
}

// A batch writes what it gathered once it closes, in the order given, without
// entries the stack held before or gathered twice; an inner batch leaves the
// writing to the outer one.
TEST_F(YearTest, DeleteStackBatchWritesItsEntriesOnceWhenItCloses)
{
    auto* first = insert<MyCourse>("MyCourse");
    auto* second = insert<MyCourse>("MyCourse");
    first->setValue(u"syncID", QStringLiteral("1"));
    second->setValue(u"syncID", QStringLiteral("2"));
    year->setValue(u"teacherPhone", QStringLiteral("1:course,"));
    {
        const Year::DeleteStackBatch outer(*year);
        year->addObjectToDeleteStack(*second, QStringLiteral("course"));
        {
            const Year::DeleteStackBatch inner(*year);
            year->addObjectToDeleteStack(*first, QStringLiteral("course"));
            year->addObjectToDeleteStack(*second, QStringLiteral("course"));
            year->addObjectToDeleteStack(*first, QStringLiteral("lesson"));
        }
        EXPECT_EQ(year->deleteStack(), QStringLiteral("1:course,"));
    }
    EXPECT_EQ(year->deleteStack(), QStringLiteral("1:course,2:course,1:lesson,"));
}

// A batch tells entries apart as a single addition does: by the whole entry,
// through thousands of them, whichever way they were first read.
TEST_F(YearTest, DeleteStackBatchComparesWholeEntriesThroughThousands)
{
    auto* course = insert<MyCourse>("MyCourse");
    QString held;
    QString expectedAdded;
    for (int id = 1; id <= 4000; ++id)
        (id % 2 ? held : expectedAdded) += QStringLiteral("%1:course,").arg(id);
    held += QStringLiteral("112:lesson,");
    year->setValue(u"teacherPhone", held);
    {
        const Year::DeleteStackBatch batch(*year);
        for (int id = 1; id <= 4000; ++id) {
            course->setValue(u"syncID", QString::number(id));
            year->addObjectToDeleteStack(*course, QStringLiteral("course"));
            year->addObjectToDeleteStack(*course, QStringLiteral("course"));
        }
        course->setValue(u"syncID", QStringLiteral("12"));
        year->addObjectToDeleteStack(*course, QStringLiteral("lesson"));
    }
    EXPECT_EQ(year->deleteStack(), held + expectedAdded + QStringLiteral("12:lesson,"));
}

// A sync empties the stack between two batches; a teacher's script may
// rewrite it. Each batch goes by the stack as it is then.
TEST_F(YearTest, EachDeleteStackBatchKnowsTheStackAsItIsWhenItStarts)
{
    auto* course = insert<MyCourse>("MyCourse");
    course->setValue(u"syncID", QStringLiteral("1"));
    auto addInBatch = [&] {
        const Year::DeleteStackBatch batch(*year);
        year->addObjectToDeleteStack(*course, QStringLiteral("course"));
    };
    addInBatch();
    addInBatch();
    EXPECT_EQ(year->deleteStack(), QStringLiteral("1:course,"));
    year->setValue(u"teacherPhone", QString());
    addInBatch();
    EXPECT_EQ(year->deleteStack(), QStringLiteral("1:course,"));
    year->setValue(u"teacherPhone", QStringLiteral("7:lesson,"));
    addInBatch();
    addInBatch();
    EXPECT_EQ(year->deleteStack(), QStringLiteral("7:lesson,1:course,"));
}

TEST_F(YearTest, LessonDeleteStackEntriesNameTheLessonThenItsAttachments)
{
    year->setValue(u"teacherPhone", QStringLiteral("9:course,"));
    lessonWithAttachments()->addToYearDeleteStack();
    EXPECT_EQ(year->deleteStack(), QStringLiteral("9:course,L1:lesson,F1:attachfile,W1:attachlink,"));
}

TEST_F(YearTest, ReportSettingsAreCreatedOnceOnFirstUse)
{
    year->setDate(u"startDate", at(788918400));
    LessonReportInformation* settings = year->lessonReportInformation();
    ASSERT_NE(settings, nullptr);
    EXPECT_EQ(settings->startDateForDaily(), at(788918400));
    EXPECT_EQ(settings->endDateForDaily(), at(788918400));
    EXPECT_EQ(year->lessonReportInformation(), settings);
    EXPECT_EQ(context->countOfEntity(QStringLiteral("LessonReportInformation")), 1);
}

TEST_F(YearTest, RecordsFindTheirYearThroughTheirOwners)
{
    Lesson* lesson = lessonWithAttachments();
    EXPECT_EQ(lesson->year(), year);
    EXPECT_EQ(lesson->dayTaught()->year(), year);
    EXPECT_EQ(insert<Lesson>("Lesson")->year(), nullptr);
}
