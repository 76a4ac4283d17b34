#include "server/web/MonthPage.h"

#include "SampleViews.h"

#include <QRegularExpression>

#include <gtest/gtest.h>

namespace {

QStringList cellsOf(const QString& page)
{
    QStringList cells;
    static const QRegularExpression cell(QStringLiteral("<td[^>]*>.*?</td>"));
    for (auto it = cell.globalMatch(page); it.hasNext();)
        cells << it.next().captured();
    return cells;
}

MonthView emptyMonth(QDate month)
{
    return { month, QDate(2025, 9, 2), QDate(2026, 6, 19), {} };
}

} // namespace

TEST(MonthPageTest, GridStartsOnSundayAndFillsWholeWeeks)
{
    // October 2025 begins on a Wednesday and ends on a Friday: five rows.
    const QStringList cells = cellsOf(MonthPage::render(SampleViews::october(), SampleViews::teacherFrame()));
    ASSERT_EQ(cells.size(), 35);
    for (int i = 0; i < 3; ++i)
        EXPECT_EQ(cells[i], QStringLiteral("<td class=\"off\"></td>"));
    EXPECT_TRUE(cells[3].contains(QStringLiteral(">1</a>")));
    EXPECT_EQ(cells[6], QStringLiteral("<td class=\"off\">4</td>")) << "a Saturday is no day of the year";
    EXPECT_TRUE(cells[33].contains(QStringLiteral(">31</a>")));
    EXPECT_EQ(cells[34], QStringLiteral("<td class=\"off\"></td>"));
}

TEST(MonthPageTest, MonthsStartingOnSundayOrSaturdayGetTheirRows)
{
    // February 2026 starts on a Sunday and fills exactly four rows; August 2026
    // starts on a Saturday and needs six.
    EXPECT_EQ(cellsOf(MonthPage::render(emptyMonth(QDate(2026, 2, 1)), SampleViews::teacherFrame())).size(), 28);
    EXPECT_EQ(cellsOf(MonthPage::render(emptyMonth(QDate(2026, 8, 15)), SampleViews::teacherFrame())).size(), 42);
}

TEST(MonthPageTest, MarksHolidaysCancelledAndCustomDays)
{
    const QString page = MonthPage::render(SampleViews::october(), SampleViews::teacherFrame());
    EXPECT_TRUE(page.contains(QStringLiteral("<td class=\"holiday\"><a class=\"date\" "
                                             "href=\"/connect/plan/day/2025-10-13\"")));
    EXPECT_TRUE(
        page.contains(QStringLiteral("<span class=\"kind\">Holiday</span><ul><li>Indigenous Peoples&#39; Day")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td class=\"cancelled\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<span class=\"kind\">Cancelled</span>")));
    EXPECT_TRUE(page.contains(QStringLiteral("<td class=\"custom\">")));
    EXPECT_TRUE(page.contains(QStringLiteral("<span class=\"course-name\">Biology</span> Lesson 14 on cells")));
    EXPECT_TRUE(page.contains(QStringLiteral("<span class=\"count\">3</span>")));
}

TEST(MonthPageTest, PagerStaysWithinTheYear)
{
    const PageFrame frame = SampleViews::teacherFrame();
    const QString october = MonthPage::render(SampleViews::october(), frame);
    EXPECT_TRUE(october.contains(QStringLiteral("href=\"/connect/plan/month/2025-09\" rel=\"prev\">\u2039 September")));
    EXPECT_TRUE(october.contains(QStringLiteral("href=\"/connect/plan/month/2025-11\" rel=\"next\">November \u203a")));
    const QString september = MonthPage::render(emptyMonth(QDate(2025, 9, 30)), frame);
    EXPECT_FALSE(september.contains(QStringLiteral("rel=\"prev\"")));
    EXPECT_TRUE(september.contains(QStringLiteral("<h1>September 2025</h1>")));
    const QString june = MonthPage::render(emptyMonth(QDate(2026, 6, 1)), frame);
    EXPECT_FALSE(june.contains(QStringLiteral("rel=\"next\"")));
    EXPECT_TRUE(june.contains(QStringLiteral("rel=\"prev\">\u2039 May")));
}
