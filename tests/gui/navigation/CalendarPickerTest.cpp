#include "gui/navigation/CalendarPicker.h"

#include "SidebarYear.h"
#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "testlib/FixedClock.h"
#include "testlib/ZoneAndLocale.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>
#include <QPushButton>
#include <QSet>
#include <QTest>

#include <gtest/gtest.h>

namespace {

struct Posted {
    QString name;
    NotificationSource* object = nullptr;
};

// Row and column of a date's cell, or (-1, -1) when the grid does not show it.
std::pair<int, int> positionOf(const CalendarPickerGrid& grid, int dayOfMonth)
{
    for (int row = 0; row < grid.rowCount(); ++row) {
        for (int column = 0; column < CalendarPickerGrid::columnCount; ++column) {
            if (grid.weeks()[row][column].dayOfMonth == dayOfMonth)
                return { row, column };
        }
    }
    return { -1, -1 };
}

} // namespace

class CalendarPickerTest : public testing::Test {
protected:
    CalendarPickerTest()
    {
        for (const QString& name : { QStringLiteral("calendarDaySelected"), QStringLiteral("SemestraGotoToday"),
                 QStringLiteral("SemestraSelectDate") })
            m_observers.observe(name, &document.year->context(), [this](const Notification& n) {
                posted.push_back({ n.name, n.object });
            });
        picker.setYear(document.year);
        picker.resize(picker.sizeHint());
    }

    CalendarPickerGrid grid(int year, int month, const Day* selected = nullptr) const
    {
        return CalendarPickerGrid(document.year, local(year, month, 15, 12), selected);
    }

    void click(const CalendarPickerGrid& shown, int dayOfMonth)
    {
        const auto [row, column] = positionOf(shown, dayOfMonth);
        ASSERT_GE(row, 0) << dayOfMonth;
        QTest::mouseClick(&picker, Qt::LeftButton, {}, shown.cellRect(row, column).center().toPoint());
    }

    QList<int> selectedDates() const
    {
        QList<int> dates;
        for (const QList<CalendarPickerDay>& week : picker.grid()->weeks()) {
            for (const CalendarPickerDay& cell : week) {
                if (cell.selected)
                    dates << cell.dayOfMonth;
            }
        }
        return dates;
    }

    FixedClock clock { local(2026, 9, 16, 10) };
    SidebarYear document;
    CalendarPicker picker;
    std::vector<Posted> posted;
    ObserverBag m_observers;
};

TEST_F(CalendarPickerTest, RowsCoverEveryWeekTheMonthTouchesSundayFirst)
{
    // August 2026 starts on a Saturday and needs six rows; February 2026
    // starts on a Sunday and fits four.
    const CalendarPickerGrid august = grid(2026, 8);
    ASSERT_EQ(august.rowCount(), 6);
    EXPECT_EQ(positionOf(august, 1), std::make_pair(0, 6));
    EXPECT_EQ(positionOf(august, 2), std::make_pair(1, 0));
    EXPECT_EQ(positionOf(august, 31), std::make_pair(5, 1));
    for (int column = 0; column < 6; ++column)
        EXPECT_TRUE(august.weeks()[0][column].isEmpty());
    EXPECT_TRUE(august.weeks()[5][2].isEmpty());
    const CalendarPickerDay& last = august.weeks()[5][1];
    EXPECT_EQ(last.day, document.day(8, 31));
    EXPECT_EQ(LocalCalendar::components(last.date), (DateComponents { 2026, 8, 31, 0, 0, 0 }));
    EXPECT_EQ(august.weeks()[5][0].day, nullptr) << "Sunday 30 August has no school day";

    const CalendarPickerGrid february = grid(2026, 2);
    EXPECT_EQ(february.rowCount(), 4);
    EXPECT_EQ(positionOf(february, 28), std::make_pair(3, 6));

    // The last days of December 2025 fall in the first week of 2026.
    const CalendarPickerGrid december = grid(2025, 12);
    EXPECT_EQ(december.rowCount(), 5);
    EXPECT_EQ(positionOf(december, 28), std::make_pair(4, 0));
    EXPECT_EQ(positionOf(december, 31), std::make_pair(4, 3));
}

TEST_F(CalendarPickerTest, MondayFirstLocalesStartTheRowsOnMonday)
{
    ZoneAndLocale germany(QStringLiteral("Europe/Berlin"), QStringLiteral("de_DE"));
    const CalendarPickerGrid june = grid(2026, 6);
    EXPECT_EQ(positionOf(june, 1), std::make_pair(0, 0)) << "1 June 2026 is a Monday";
    EXPECT_EQ(positionOf(june, 7), std::make_pair(0, 6));
    EXPECT_EQ(june.rowCount(), 5);
    const QStringList names = CalendarPickerGrid::weekdayNames();
    ASSERT_EQ(names.size(), 7);
    EXPECT_EQ(names.first(), DateFormatting::formatPattern(local(2026, 6, 1, 12), QStringLiteral("EEE")));
    EXPECT_EQ(names.last(), DateFormatting::formatPattern(local(2026, 6, 7, 12), QStringLiteral("EEE")));

    // 1 January 2027 lies in the last week of 2026 by the German count, the
    // 4th in the first week of 2027: the rows must not follow the wrap.
    const CalendarPickerGrid january = grid(2027, 1);
    EXPECT_EQ(january.rowCount(), 5);
    EXPECT_EQ(positionOf(january, 1), std::make_pair(0, 4));
    EXPECT_EQ(positionOf(january, 4), std::make_pair(1, 0));
    EXPECT_EQ(positionOf(january, 31), std::make_pair(4, 6));
}

TEST_F(CalendarPickerTest, TitleNamesTheCalendarYearOfTheShownMonth)
{
    // 30 December 2013 belongs to the first week of 2014.
    const CalendarPickerGrid december(nullptr, local(2013, 12, 30, 9));
    EXPECT_EQ(december.title(), QStringLiteral("December, 2013"));
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("September, 2026"));
}

TEST_F(CalendarPickerTest, MonthStepsStopWhereTheYearEnds)
{
    picker.recreateDaysWithDay(document.day(8, 31), CalendarPicker::PostNotification::No);
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("August, 2026"));
    EXPECT_FALSE(picker.canShowPreviousMonth()) << "the year starts on 31 August";
    EXPECT_TRUE(picker.canShowNextMonth());
    picker.showPreviousMonth();
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("August, 2026"));

    for (int step = 0; step < 3; ++step)
        picker.showNextMonth();
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("November, 2026"));
    EXPECT_TRUE(picker.canShowPreviousMonth());
    EXPECT_FALSE(picker.canShowNextMonth());
    picker.showNextMonth();
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("November, 2026"));

    // Coming back to August shows its selected day again.
    for (int step = 0; step < 3; ++step)
        picker.showPreviousMonth();
    EXPECT_EQ(selectedDates(), QList<int> { 31 });
    EXPECT_TRUE(posted.empty());
}

TEST_F(CalendarPickerTest, StylesAreTriedInOrder)
{
    struct Look {
        int weight;
        QRgb color;
        bool operator==(const Look&) const = default;
    };
    const auto look = [](Day* day, int month, int dayOfMonth, bool selected) {
        const CalendarPickerDay cell { local(2026, month, dayOfMonth), day, dayOfMonth, selected, false };
        const CalendarPickerGrid::CellStyle style = CalendarPickerGrid::styleFor(cell);
        return Look { style.font.weight(), style.color.rgba() };
    };
    Day* today = document.day(9, 16);
    Day* holiday = document.day(10, 12);
    const Look selected = look(document.day(9, 17), 9, 17, true);
    const Look marked = look(today, 9, 16, false);
    const Look schoolDay = look(document.day(9, 17), 9, 17, false);
    const Look nonSchoolDay = look(holiday, 10, 12, false);
    const Look weekend = look(nullptr, 9, 19, false);
    EXPECT_EQ(
        QSet<QRgb>({ selected.color, marked.color, schoolDay.color, nonSchoolDay.color, weekend.color }).size(), 5);
    EXPECT_EQ(selected.weight, QFont::Bold);
    EXPECT_EQ(marked.weight, QFont::Bold);
    EXPECT_EQ(nonSchoolDay.weight, QFont::Normal);
    EXPECT_EQ(weekend.weight, QFont::Light);
    EXPECT_EQ(CalendarPickerGrid::styleFor({}).font.pixelSize(), 13);

    // Selection wins over today, today over a holiday; a date without a
    // school day is still marked when it is today, in the regular weight.
    EXPECT_EQ(look(today, 9, 16, true), selected);
    EXPECT_EQ(look(holiday, 10, 12, true), selected);
    clock.set(local(2026, 10, 12, 8));
    EXPECT_EQ(look(holiday, 10, 12, false), marked);
    clock.set(local(2026, 9, 19, 8));
    EXPECT_EQ(look(nullptr, 9, 19, false), (Look { QFont::Normal, marked.color }));
    EXPECT_EQ(look(nullptr, 9, 19, true), (Look { QFont::Normal, marked.color })) << "no Day, nothing to select";
}

TEST_F(CalendarPickerTest, ClickingASchoolDaySelectsItAndClickingAWeekendDoesNothing)
{
    const CalendarPickerGrid& shown = *picker.grid();
    click(shown, 19); // Saturday
    click(shown, 13); // Sunday
    EXPECT_TRUE(posted.empty());
    EXPECT_TRUE(selectedDates().isEmpty());

    click(*picker.grid(), 22);
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].name, QStringLiteral("calendarDaySelected"));
    EXPECT_EQ(posted[0].object, document.day(9, 22));
    EXPECT_EQ(selectedDates(), QList<int> { 22 });

    // A click on the day-name row or below the last week means nothing.
    QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.grid()->weekdayRect(2).center().toPoint());
    QTest::mouseClick(&picker, Qt::LeftButton, {}, picker.grid()->cellRect(5, 2).center().toPoint());
    EXPECT_EQ(posted.size(), 1u);
}

TEST_F(CalendarPickerTest, ShowingADayPostsOnlyWhenAsked)
{
    picker.recreateDaysWithDay(document.day(10, 7), CalendarPicker::PostNotification::No);
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("October, 2026"));
    EXPECT_EQ(selectedDates(), QList<int> { 7 });
    EXPECT_TRUE(posted.empty());

    picker.recreateDaysWithDay(document.day(11, 3));
    EXPECT_EQ(selectedDates(), QList<int> { 3 });
    ASSERT_EQ(posted.size(), 1u);
    EXPECT_EQ(posted[0].object, document.day(11, 3));
}

TEST_F(CalendarPickerTest, SelectingALessonFollowsItWithoutPostingAgain)
{
    const auto clickLesson = [](Lesson* lesson) {
        NotificationCenter::defaultCenter().post(QStringLiteral("SemestraLessonClicked"), lesson);
    };
    clickLesson(document.lesson(document.art, 9, 24));
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("September, 2026"));
    EXPECT_EQ(selectedDates(), QList<int> { 24 });

    clickLesson(document.lesson(document.history, 10, 14));
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("October, 2026"));
    EXPECT_EQ(selectedDates(), QList<int> { 14 });
    EXPECT_TRUE(posted.empty());

    // Another day picked elsewhere moves the selection, not the month.
    NotificationCenter::defaultCenter().post(QStringLiteral("calendarDaySelected"), document.day(11, 5));
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("October, 2026"));
    EXPECT_TRUE(selectedDates().isEmpty());
}

TEST_F(CalendarPickerTest, IgnoresTheRecordsOfAnotherDocument)
{
    picker.recreateDaysWithDay(document.day(9, 22), CalendarPicker::PostNotification::No);
    SidebarYear other;
    NotificationCenter::defaultCenter().post(QStringLiteral("calendarDaySelected"), other.day(9, 23));
    NotificationCenter::defaultCenter().post(
        QStringLiteral("SemestraLessonClicked"), other.lesson(other.biology, 10, 20));
    EXPECT_EQ(picker.monthTitle(), QStringLiteral("September, 2026"));
    EXPECT_EQ(selectedDates(), QList<int> { 22 });
}

TEST_F(CalendarPickerTest, TodayAndGoToPostThePickerWithinItsDocument)
{
    std::vector<QString> seenElsewhere;
    SidebarYear other;
    ObserverBag otherDocument;
    otherDocument.observe(QStringLiteral("SemestraGotoToday"), &other.year->context(),
        [&seenElsewhere](const Notification& n) { seenElsewhere.push_back(n.name); });

    const QList<QPushButton*> buttons = picker.findChildren<QPushButton*>();
    ASSERT_EQ(buttons.size(), 2);
    QTest::mouseClick(buttons[0], Qt::LeftButton);
    QTest::mouseClick(buttons[1], Qt::LeftButton);
    ASSERT_EQ(posted.size(), 2u);
    EXPECT_EQ(posted[0].name, QStringLiteral("SemestraGotoToday"));
    EXPECT_EQ(posted[1].name, QStringLiteral("SemestraSelectDate"));
    EXPECT_EQ(posted[0].object, &picker);
    EXPECT_EQ(posted[1].object, &picker);
    EXPECT_TRUE(seenElsewhere.empty());
}

TEST_F(CalendarPickerTest, PointerHighlightsOnlyCellsWithADate)
{
    CalendarPickerGrid shown = grid(2026, 8);
    shown.setGeometry(QRectF(0, 0, 210, 210));
    EXPECT_TRUE(shown.highlightAt(shown.cellRect(1, 3).center()));
    EXPECT_TRUE(shown.weeks()[1][3].highlighted);
    EXPECT_FALSE(shown.highlightAt(shown.cellRect(1, 3).center())) << "nothing changed";
    EXPECT_TRUE(shown.highlightAt(shown.cellRect(0, 0).center())) << "empty cell";
    EXPECT_FALSE(shown.weeks()[1][3].highlighted || shown.weeks()[0][0].highlighted);
}

TEST_F(CalendarPickerTest, Screenshot)
{
    const QString folder = QStringLiteral(SEMESTRA_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    clock.set(local(2026, 10, 20, 10));
    picker.recreateDaysWithDay(document.day(10, 21), CalendarPicker::PostNotification::No);
    const CalendarPickerGrid& shown = *picker.grid();
    const auto [row, column] = positionOf(shown, 8);
    const QPointF point = shown.cellRect(row, column).center();
    QMouseEvent move(QEvent::MouseMove, point, picker.mapToGlobal(point), Qt::NoButton, Qt::NoButton, Qt::NoModifier);
    QApplication::sendEvent(&picker, &move);
    ASSERT_TRUE(shown.weeks()[row][column].highlighted);
    const QImage image = picker.grab().toImage();
    ASSERT_TRUE(image.save(folder + QStringLiteral("/calendar-picker.png")));
    const QPoint corner = shown.cellRect(row, column).topLeft().toPoint() + QPoint(4, 4);
    EXPECT_EQ(image.pixel(corner * image.devicePixelRatio()), QColor::fromRgbF(0.85f, 0.85f, 0.85f).rgb());
}
