#include "ReportFixture.h"
#include "foundation/richtext/RichText.h"
#include "report/TextReports.h"

class TextReportsTest : public ReportFixture {
protected:
    void setHeader(const char* key, const QString& text)
    {
        settings->setValue(QString::fromLatin1(key), QString::fromUtf8(RichText::fromPlainText(text)));
    }
};

TEST_F(TextReportsTest, DailyPlanCoversBothEndsOfItsRangeInDateOrder)
{
    fill(lessons[1], QStringLiteral("First"));
    fill(lessons[3], QStringLiteral("Last"));
    fill(lessons[4], QStringLiteral("After"));
    // Mid-day instants still take in the whole first and last day.
    const QString text = TextReports::dailyPlan(*year(), days[1]->actualDate().addingSeconds(15 * 3600),
        days[3]->actualDate().addingSeconds(3600))->toPlainText();
    EXPECT_TRUE(text.startsWith(days[1]->mediumLongDateString()));
    EXPECT_LT(text.indexOf(days[2]->mediumLongDateString()), text.indexOf(QStringLiteral("Last")));
    EXPECT_LT(text.indexOf(QStringLiteral("First")), text.indexOf(QStringLiteral("Last")));
    EXPECT_EQ(text.indexOf(QStringLiteral("After")), -1);
}

TEST_F(TextReportsTest, DailyPlanLeavesTheStoredRangeAlone)
{
    const Date start = settings->startDateForDaily();
    TextReports::dailyPlan(*year(), days[4]->actualDate(), days[4]->actualDate());
    EXPECT_EQ(settings->startDateForDaily(), start);
    EXPECT_EQ(settings->endDateForDaily(), start);
}

TEST_F(TextReportsTest, EmptyRangeShowsOnlyTheCentredHeader)
{
    setHeader("dailyHeader", QStringLiteral("Room 12"));
    const Date before = ScheduleBuilder::localDate(2026, 2, 1);
    const auto text = TextReports::dailyPlan(*year(), before, before.addingSeconds(7 * 86400));
    EXPECT_EQ(text->toPlainText().trimmed(), QStringLiteral("Room 12"));
    EXPECT_EQ(text->begin().blockFormat().alignment(), Qt::AlignHCenter);
}

TEST_F(TextReportsTest, UnitReportListsItsLessonsByDateUnderTheirDays)
{
    setHeader("unitHeader", QStringLiteral("Ms. Reyes"));
    const Unit* unit = unitOf({ 4, 1 }, QStringLiteral("Fractions"));
    const auto report = TextReports::unitReport(*year(), unit);
    const QStringList shown = lines(*report);
    EXPECT_EQ(shown[0], QStringLiteral("Ms. Reyes"));
    const qsizetype title = shown.indexOf(QStringLiteral("Fractions lessons in Math"));
    ASSERT_GT(title, 0);
    EXPECT_EQ(blockWith(*report, QStringLiteral("Fractions lessons")).blockFormat().alignment(), Qt::AlignHCenter);
    const QString text = report->toPlainText();
    EXPECT_LT(text.indexOf(days[1]->mediumLongDateString()), text.indexOf(QStringLiteral("U1")));
    EXPECT_LT(text.indexOf(QStringLiteral("U1")), text.indexOf(days[4]->mediumLongDateString()));
    EXPECT_LT(text.indexOf(days[4]->mediumLongDateString()), text.indexOf(QStringLiteral("U4")));
}

TEST_F(TextReportsTest, UnitWithoutLessonsSaysSoAndNoUnitShowsTheHeaderOnly)
{
    const Unit* empty = math->addUnitWithName(QStringLiteral("Later"));
    const QString text = TextReports::unitReport(*year(), empty)->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Later lessons in Math")));
    EXPECT_TRUE(text.contains(QStringLiteral("No lessons found in unit: Later")));
    EXPECT_TRUE(TextReports::unitReport(*year(), nullptr)->isEmpty());
    setHeader("unitHeader", QStringLiteral("Header"));
    EXPECT_EQ(TextReports::unitReport(*year(), nullptr)->toPlainText().trimmed(), QStringLiteral("Header"));
}

TEST_F(TextReportsTest, StandardsReportListsALessonOnceUnderOneHeadingPerDay)
{
    Standard* parent = standard(QStringLiteral("RL.1"), QStringLiteral("Read closely"));
    Standard* child = standard(QStringLiteral("RL.1a"), QStringLiteral("Cite evidence"), parent);
    fill(lessons[2], QStringLiteral("Poems"));
    fill(artLessons[2], QStringLiteral("Murals"));
    fill(lessons[0], QStringLiteral("Stories"));
    link(lessons[2], parent);
    link(lessons[2], child);
    link(artLessons[2], child);
    link(lessons[0], child);
    const QString text = TextReports::standardsReport(*year(), parent)->toPlainText();
    EXPECT_TRUE(text.startsWith(QStringLiteral("Lessons matching standard: RL.1")));
    EXPECT_EQ(text.split(QLatin1Char('\n')).count(QStringLiteral("Poems")), 1);
    EXPECT_EQ(text.count(days[2]->mediumLongDateString()), 1);
    EXPECT_LT(text.indexOf(QStringLiteral("Stories")), text.indexOf(QStringLiteral("Poems")));
    EXPECT_LT(text.indexOf(QStringLiteral("Poems")), text.indexOf(QStringLiteral("Murals")));

    const QString onlyChild = TextReports::standardsReport(*year(), child)->toPlainText();
    EXPECT_TRUE(onlyChild.contains(QStringLiteral("Murals")));
    EXPECT_TRUE(TextReports::standardsReport(*year(), nullptr)->isEmpty());
}

TEST_F(TextReportsTest, StandardWithoutLessonsShowsItsTitleAlone)
{
    const Standard* lonely = standard(QStringLiteral("W.9"), QStringLiteral("Write"));
    EXPECT_EQ(TextReports::standardsReport(*year(), lonely)->toPlainText().trimmed(),
        QStringLiteral("Lessons matching standard: W.9"));
}
