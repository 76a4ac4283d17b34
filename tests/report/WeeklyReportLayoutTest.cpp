#include "report/WeeklyReportLayout.h"

#include "ReportFixture.h"
#include "foundation/richtext/RichText.h"
#include "model/Week.h"

#include <QAbstractTextDocumentLayout>
#include <QFontMetricsF>
#include <QTextBlock>
#include <QTextLayout>

class WeeklyReportLayoutTest : public ReportFixture {
protected:
    Week& firstWeek() const { return *days[0]->week(); }
    static double fontWidth(double size, const QString& text)
    {
        return QFontMetricsF(ReportFonts::font(size), ReportFonts::pointDevice()).horizontalAdvance(text);
    }
};

using Pages = QList<QList<int>>;

TEST_F(WeeklyReportLayoutTest, PagesEndBeforeTheBoxThatWouldOverfillThem)
{
    EXPECT_EQ(WeeklyReportLayout::splitIntoPages({ 100, 100, 100 }, 250), Pages({ { 0, 1 }, { 2 } }));
    EXPECT_EQ(WeeklyReportLayout::splitIntoPages({ 125, 125 }, 250), Pages({ { 0, 1 } }));
    EXPECT_EQ(WeeklyReportLayout::splitIntoPages({}, 250), Pages());
}

TEST_F(WeeklyReportLayoutTest, BoxTallerThanTheAreaGetsAPageOfItsOwn)
{
    EXPECT_EQ(WeeklyReportLayout::splitIntoPages({ 50, 300, 50 }, 250), Pages({ { 0 }, { 1 }, { 2 } }));
    EXPECT_EQ(WeeklyReportLayout::splitIntoPages({ 300, 50, 60 }, 250), Pages({ { 0 }, { 1, 2 } }));
    EXPECT_EQ(WeeklyReportLayout::splitIntoPages({ 300, 300 }, 250), Pages({ { 0 }, { 1 } }));
}

// A box taller than the lesson area is printed in parts, each on a page of
// its own, that together show all of its text, each part ending between
// two lines.
TEST_F(WeeklyReportLayoutTest, ABoxTallerThanAPageIsContinuedOnTheNextPagesBetweenLines)
{
    QStringList steps;
    for (int step = 1; step <= 60; ++step)
        steps << QStringLiteral("Step %1").arg(step);
    lessons[0]->setValue(u"lessonBody", RichText::fromPlainText(steps.join(QLatin1Char('\n'))));
    fill(lessons[1], QStringLiteral("Next"));
    WeeklyReportLayout layout(firstWeek(), *settings);
    layout.reload(700);
    const WeeklyDayColumn& monday = layout.columns()[0];
    const double pageHeight = 300;
    const double area = layout.lessonArea(pageHeight);
    const WeeklyLessonBox& tall = monday.boxes[0];
    ASSERT_GT(tall.currentSize, 2 * area);

    double shown = 0;
    int pagesOfTall = 0;
    for (int page = 1; page <= layout.pageCount(pageHeight); ++page) {
        for (const PlacedBox& placed : layout.boxesOnPage(monday, page, pageHeight)) {
            if (placed.box != &tall)
                continue;
            ++pagesOfTall;
            EXPECT_DOUBLE_EQ(placed.textTop, shown) << "page " << page;
            EXPECT_LE(placed.textHeight, area);
            shown += placed.textHeight;
        }
    }
    EXPECT_DOUBLE_EQ(shown, tall.currentSize);
    EXPECT_GE(pagesOfTall, 3);
    // Each part begins at the top of a line.
    QList<double> lineTops;
    for (QTextBlock block = tall.text->begin(); block.isValid(); block = block.next()) {
        const double blockTop = tall.text->documentLayout()->blockBoundingRect(block).top();
        for (int i = 0; i < block.layout()->lineCount(); ++i)
            lineTops << blockTop + block.layout()->lineAt(i).y();
    }
    for (double top : WeeklyReportLayout::partTops(*tall.text, tall.currentSize, area).mid(1))
        EXPECT_TRUE(lineTops.contains(top)) << top;
}

TEST_F(WeeklyReportLayoutTest, EveryDayOfTheWeekGetsAnEqualColumnInDateOrder)
{
    WeeklyReportLayout layout(firstWeek(), *settings);
    layout.reload(700);
    ASSERT_EQ(layout.columns().size(), firstWeek().daysInOrder().size());
    EXPECT_DOUBLE_EQ(layout.columnWidth(), 700.0 / double(layout.columns().size()));
    EXPECT_EQ(layout.columns().front().day, days[0]);
    EXPECT_EQ(layout.columns().front().boxes.size(), 2u);
    EXPECT_EQ(layout.columns().front().boxes[0].lesson, lessons[0]);
}

TEST_F(WeeklyReportLayoutTest, BoxesAreAsTallAsTheirTextUnlessTheSizeIsFixed)
{
    lessons[0]->setValue(u"lessonBody",
        RichText::fromPlainText(QStringLiteral("A long plan for the day. ").repeated(20)));
    WeeklyReportLayout layout(firstWeek(), *settings);
    layout.reload(700);
    const WeeklyLessonBox& tall = layout.columns()[0].boxes[0];
    const WeeklyLessonBox& empty = layout.columns()[1].boxes[1];
    EXPECT_DOUBLE_EQ(tall.desiredSize, tall.text->size().height() + 5);
    EXPECT_GT(tall.currentSize, empty.currentSize);

    settings->setValue(u"weeklyReportFixLessonSize", true);
    layout.reload(700);
    for (const WeeklyDayColumn& column : layout.columns()) {
        for (const WeeklyLessonBox& box : column.boxes)
            EXPECT_DOUBLE_EQ(box.currentSize, layout.columns()[0].boxes[0].desiredSize);
    }
    EXPECT_DOUBLE_EQ(layout.maxDayViewHeight(), 20 + 2 * layout.columns()[0].boxes[0].desiredSize);
}

TEST_F(WeeklyReportLayoutTest, CanvasHoldsTheHeaderItsGapAndTheTallestColumn)
{
    settings->setValue(u"weeklyReportHeader", QString::fromUtf8(RichText::fromPlainText(QStringLiteral("Week plan"))));
    WeeklyReportLayout layout(firstWeek(), *settings);
    layout.reload(700);
    ASSERT_NE(layout.header(), nullptr);
    EXPECT_GT(layout.headerHeight(), 0);
    EXPECT_DOUBLE_EQ(layout.canvasHeight(0), layout.maxDayViewHeight() + layout.headerHeight() + 5);
    EXPECT_DOUBLE_EQ(layout.canvasHeight(5000), 5000);
}

TEST_F(WeeklyReportLayoutTest, WeekWithoutLessonsShowsOnlyDateBands)
{
    auto other = SemestraRecords::newContext();
    ScheduleBuilder bare { *other, 2026, 3, 1, 1 };
    bare.day(1);
    bare.day(2);
    bare.year()->reportInformation();
    WeeklyReportLayout layout(*bare.week(1), *bare.year()->reportInformation());
    layout.reload(400);
    EXPECT_EQ(layout.header(), nullptr);
    EXPECT_DOUBLE_EQ(layout.maxDayViewHeight(), WeeklyReportLayout::dateBandHeight);
    EXPECT_DOUBLE_EQ(layout.canvasHeight(600), 600);
    EXPECT_EQ(layout.pageCount(300), 1);
}

TEST_F(WeeklyReportLayoutTest, PageCountIsTheLongestColumnsAndShorterColumnsRunOut)
{
    b.lesson(b.course(QStringLiteral("Latin")), days[0], 11);
    settings->setValue(u"weeklyReportFixLessonSize", true);
    WeeklyReportLayout layout(firstWeek(), *settings);
    layout.reload(700);
    const double box = layout.columns()[0].boxes[0].currentSize;
    // Room for one box and a little more on each page.
    const double pageHeight = WeeklyReportLayout::dateBandHeight + box * 1.5;
    EXPECT_EQ(layout.pageCount(pageHeight), 3);
    const WeeklyDayColumn& monday = layout.columns()[0];
    const WeeklyDayColumn& tuesday = layout.columns()[1];
    EXPECT_EQ(layout.boxesOnPage(tuesday, 2, pageHeight).size(), 1);
    EXPECT_TRUE(layout.boxesOnPage(tuesday, 3, pageHeight).isEmpty());
    const QList<PlacedBox> last = layout.boxesOnPage(monday, 3, pageHeight);
    ASSERT_EQ(last.size(), 1);
    EXPECT_EQ(last[0].box->lesson->courseName(), QStringLiteral("Latin"));
    EXPECT_DOUBLE_EQ(last[0].frame.top(), WeeklyReportLayout::dateBandHeight);
    EXPECT_DOUBLE_EQ(last[0].frame.bottom(), pageHeight) << "the last box reaches the page's bottom";
}

TEST_F(WeeklyReportLayoutTest, PagesLeaveRoomForTheHeaderBand)
{
    settings->setValue(u"weeklyReportHeader", QString::fromUtf8(RichText::fromPlainText(QStringLiteral("Week plan"))));
    WeeklyReportLayout layout(firstWeek(), *settings);
    layout.reload(700);
    EXPECT_DOUBLE_EQ(layout.lessonArea(400), 400 - layout.headerHeight() - 5 - WeeklyReportLayout::dateBandHeight);
    const QList<PlacedBox> page = layout.boxesOnPage(layout.columns()[0], 1, 400);
    EXPECT_DOUBLE_EQ(page.last().frame.bottom() + layout.headerBand(), 400);
}

TEST_F(WeeklyReportLayoutTest, DateTextNamesCustomDaysOnlyWhenTheyHaveAName)
{
    const QString plain = WeeklyReportLayout::dateText(*days[1]);
    EXPECT_TRUE(plain.startsWith(days[1]->shortWeekDayName()));
    EXPECT_FALSE(plain.contains(QStringLiteral(" - ")));
    days[1]->setValue(u"isCustom", true);
    EXPECT_EQ(WeeklyReportLayout::dateText(*days[1]), plain);
    days[1]->setValue(u"holidayName", QStringLiteral("Assembly"));
    EXPECT_EQ(WeeklyReportLayout::dateText(*days[1]), plain + QStringLiteral(" - Assembly"));
}

TEST_F(WeeklyReportLayoutTest, RotatingYearsShowTheDayType)
{
    year()->setValue(u"typeOfSchedule", int(Year::Rotating));
    days[1]->setValue(u"typeOfDay", 1);
    EXPECT_TRUE(WeeklyReportLayout::dateText(*days[1]).endsWith(QStringLiteral(" - ") + days[1]->rotationString()));
}

TEST_F(WeeklyReportLayoutTest, NonSchoolLabelsNameTheKindOrTheDaysOwnName)
{
    days[2]->setValue(u"isHoliday", true);
    EXPECT_EQ(WeeklyReportLayout::nonSchoolLabel(*days[2]), QStringLiteral("No School - Holiday"));
    days[2]->setValue(u"holidayName", QStringLiteral("Founders Day"));
    EXPECT_EQ(WeeklyReportLayout::nonSchoolLabel(*days[2]), QStringLiteral("Founders Day"));
    days[3]->setValue(u"isCancelled", true);
    EXPECT_EQ(WeeklyReportLayout::nonSchoolLabel(*days[3]), QStringLiteral("No School - Cancelled"));
}

TEST_F(WeeklyReportLayoutTest, LabelsShrinkByFourPointsDownToEightThenAreCut)
{
    const QString label = QStringLiteral("No School - Holiday");
    EXPECT_EQ(WeeklyReportLayout::fitLabel(label, 10000), std::pair(36.0, label));
    const double at20 = fontWidth(20, label);
    const auto [size, shown] = WeeklyReportLayout::fitLabel(label, at20);
    EXPECT_EQ(shown, label);
    EXPECT_LE(fontWidth(size, label), at20);
    EXPECT_GT(fontWidth(size + 4, label), at20);
    EXPECT_EQ(int(36 - size) % 4, 0);

    for (double available : { 30.0, 0.0, -50.0 }) {
        const auto [tiny, cut] = WeeklyReportLayout::fitLabel(label, available);
        EXPECT_DOUBLE_EQ(tiny, WeeklyReportLayout::smallestLabelFontSize);
        EXPECT_NE(cut, label);
        EXPECT_LE(fontWidth(tiny, cut), std::max(0.0, available));
    }
}
