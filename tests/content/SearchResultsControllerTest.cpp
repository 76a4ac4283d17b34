#include "content/SearchResultsController.h"

#include "ContentFixture.h"
#include "planning/PlanningNotifications.h"

namespace {

class SearchResultsControllerTest : public ContentFixture {
protected:
    SearchResultsControllerTest() { search.setYear(year()); }
    QList<Lesson*> find(const QString& term) { return SearchResultsController::searchForString(*year(), term); }

    SearchResultsController search;
};

TEST_F(SearchResultsControllerTest, EveryTextFieldIsSearchedIgnoringCaseInDateOrder)
{
    lessons[6]->setValue(u"lessonTitle", QStringLiteral("The WATER cycle"));
    artLessons[2]->setValue(u"lessonBodyString", QStringLiteral("paint water lilies"));
    lessons[0]->setValue(u"homeworkString", QStringLiteral("Drink water"));
    artLessons[9]->setValue(u"publicCommentString", QStringLiteral("Watercolours"));
    lessons[4]->setValue(u"custom2String", QStringLiteral("waterproof"));
    lessons[5]->setValue(u"lessonTitle", QStringLiteral("Fire"));
    EXPECT_EQ(find("Water"), (QList<Lesson*> { lessons[0], artLessons[2], lessons[4], lessons[6], artLessons[9] }));
    EXPECT_TRUE(find({}).isEmpty());
}

TEST_F(SearchResultsControllerTest, AccentsAreIgnoredOnlyInTheCustomFields)
{
    lessons[1]->setValue(u"custom1String", QString::fromUtf8("Trip to the Café"));
    lessons[2]->setValue(u"lessonTitle", QString::fromUtf8("Café day"));
    EXPECT_EQ(find("cafe"), QList<Lesson*> { lessons[1] });
    EXPECT_EQ(find(QString::fromUtf8("CAFÉ")), (QList<Lesson*> { lessons[1], lessons[2] }));
}

TEST_F(SearchResultsControllerTest, NoMatchHidesTheTableAndShrinksThePanel)
{
    lessons[1]->setValue(u"lessonTitle", QStringLiteral("Maps"));
    search.search("Maps");
    EXPECT_FALSE(search.tableHidden());
    EXPECT_EQ(search.panelSize(), QSize(225, 300));
    search.search("Globes");
    EXPECT_TRUE(search.tableHidden());
    EXPECT_EQ(search.panelSize(), QSize(225, 100));
}

TEST_F(SearchResultsControllerTest, ChoosingAResultPostsTheLessonAndGoTakesOnlyItsOwnResults)
{
    lessons[1]->setValue(u"lessonTitle", QStringLiteral("Maps"));
    lessons[3]->setValue(u"lessonTitle", QStringLiteral("More maps"));
    QList<Lesson*> chosen;
    const auto id = NotificationCenter::defaultCenter().addObserver(PlanningNotifications::lessonSelectedFromSearch,
        [&](const Notification& n) { chosen.append(dynamic_cast<Lesson*>(n.object)); });
    search.search("maps");
    search.chooseSelected();
    EXPECT_TRUE(chosen.isEmpty()) << "nothing selected yet";
    search.selectRow(1);
    search.chooseSelected();
    search.goPressed(lessons[1]);
    search.goPressed(lessons[8]);
    NotificationCenter::defaultCenter().removeObserver(id);
    EXPECT_EQ(chosen, (QList<Lesson*> { lessons[3], lessons[1] }));
    EXPECT_EQ(search.selectedRow(), 0);
}

TEST_F(SearchResultsControllerTest, RowsShowThePlaceholderForAnUntitledLessonAndItsDateBadge)
{
    EXPECT_EQ(SearchResultsController::rowTitle(*lessons[0]), QStringLiteral("No Title Provided"));
    // Monday 2 March 2026.
    EXPECT_EQ(SearchResultsController::badgeDay(*lessons[0]), QStringLiteral("2"));
    EXPECT_EQ(SearchResultsController::badgeMonth(*lessons[0]), QStringLiteral("March"));
}

} // namespace
