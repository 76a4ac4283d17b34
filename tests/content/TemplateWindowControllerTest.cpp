#include "ContentFixture.h"
#include "content/TemplateWindowController.h"
#include "model/Assignment.h"

namespace {

class TemplateWindowControllerTest : public ContentFixture {
protected:
    TemplateWindowControllerTest()
    {
        fill(lessons[3], QStringLiteral("Template"));
        sheet.setLesson(lessons[3]);
    }

    TemplateWindowController sheet { alerts };
};

} // namespace

TEST_F(TemplateWindowControllerTest, SheetStartsOnTheLessonAndRunsToTheYearsEnd)
{
    EXPECT_EQ(sheet.startDate(), days[3]->actualDate());
    EXPECT_EQ(sheet.endDate(), days.last()->actualDate());
    EXPECT_TRUE(sheet.message().startsWith(
        QStringLiteral("Choose dates below for the start and end dates of the lessons that should be replaced by the "
                       "information contained in the Math lesson on ")));
    EXPECT_TRUE(sheet.message().endsWith(QStringLiteral("Only lessons in the Math course will be replaced.")));
}

TEST_F(TemplateWindowControllerTest, ChosenStartAndEndDaysAreBothOverwritten)
{
    sheet.setStartDate(days[5]->actualDate());
    sheet.setEndDate(days[7]->actualDate());
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(sheet.applyPressed());
    EXPECT_EQ(alerts.last().title, QStringLiteral("Overwrite Lessons?"));
    EXPECT_EQ(titles(lessons.mid(4, 5)), QStringList({ "", "Template", "Template", "Template", "" }));
    EXPECT_EQ(artLessons[5]->lessonTitle(), QString());
}

TEST_F(TemplateWindowControllerTest, RangeAtTheEndsOfTheCourseNeverChangesTheTemplate)
{
    auto* work = insert<Assignment>("Assignment");
    work->setObject(u"assignedLesson", lessons[3]);
    work->setObject(u"dueLesson", lessons[4]);
    sheet.setStartDate(days.first()->actualDate().addingSeconds(-86400 * 10));
    sheet.setEndDate(days.last()->actualDate().addingSeconds(86400 * 10));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(sheet.applyPressed());
    EXPECT_EQ(titles(lessons), QStringList(10, QStringLiteral("Template")));
    EXPECT_EQ(lessons[3]->assignments().size(), 1);
    EXPECT_EQ(lessons[3]->assignments()[0]->dueLesson(), lessons[4]);
    // Work given on the last lesson has nowhere later to be due.
    ASSERT_EQ(lessons[9]->assignments().size(), 1);
    EXPECT_EQ(lessons[9]->assignments()[0]->dueLesson(), lessons[9]);
}

TEST_F(TemplateWindowControllerTest, AnsweringNoKeepsTheSheetOpenAndChangesNothing)
{
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(sheet.applyPressed());
    EXPECT_EQ(lessons[4]->lessonTitle(), QString());
}
