#include "DayColumnsFixture.h"
#include "foundation/dates/DateFormatting.h"
#include "model/Course.h"

#include <QTextDocument>

using Layout = DayColumnsLayout;

namespace {

QStringList titles(const Layout::DayColumn& column)
{
    QStringList result;
    for (const Layout::LessonBox& box : column.lessons)
        result << box.lesson->lessonTitle();
    return result;
}

} // namespace

class DayColumnsLayoutTest : public DayColumnsFixture { };

TEST_F(DayColumnsLayoutTest, DaysComeInDateOrderWithTheirDrawnLessonsByStartTime)
{
    const Layout shown = layout(weekOptions());
    ASSERT_EQ(shown.columns().size(), 5);
    for (int date = 2; date <= 6; ++date)
        EXPECT_EQ(columnOn(shown, date).day, day(date));
    EXPECT_EQ(titles(columnOn(shown, 2)), QStringList({ "Fractions", "The Revolution" }));
    EXPECT_EQ(titles(columnOn(shown, 6)), QStringList({ "Decimals", "Napoleon" })) << "Band is hidden";
    const Layout::DayColumn& monday = columnOn(shown, 2);
    EXPECT_EQ(monday.weekday, QStringLiteral("Monday"));
    EXPECT_EQ(monday.date, QStringLiteral("Nov 2"));
    EXPECT_EQ(monday.lessons[0].courseName, QStringLiteral("Mathematics"));
    EXPECT_EQ(monday.lessons[0].color, math->color());
    EXPECT_TRUE(columnOn(shown, 4).isToday);
    EXPECT_FALSE(monday.isToday);
    EXPECT_TRUE(monday.lessons[0].time.isEmpty()) << "times are shown only on request";

    preferences.preferences().setValue(QStringLiteral("SemestraAlwaysShowLessonTimes"), true);
    EXPECT_EQ(columnOn(layout(weekOptions()), 2).lessons[0].time, mondayMath->timeString());
}

TEST_F(DayColumnsLayoutTest, LessonTimesSitBesideTheCourseNameOrOnALineOfTheirOwn)
{
    preferences.preferences().setValue(QStringLiteral("SemestraAlwaysShowLessonTimes"), true);
    mondayMath->setValue(u"anchored", true);
    const Layout wide = layout(weekOptions(), { 2000, 700 });
    const Layout::LessonBox* roomy = wide.boxOf(mondayMath);
    EXPECT_TRUE(roomy->bandRect.contains(roomy->timeRect));
    EXPECT_LT(roomy->nameRect.right(), roomy->timeRect.left());
    EXPECT_LT(roomy->timeRect.right(), roomy->lockRect.left());
    EXPECT_LT(roomy->lockRect.right(), roomy->settingsRect.left() + 0.01);
    EXPECT_EQ(roomy->textRect.top(), roomy->bandRect.bottom() + wide.padding() / 2);

    const Layout narrow = layout(weekOptions(), { 800, 700 });
    const Layout::LessonBox* cramped = narrow.boxOf(mondayMath);
    EXPECT_FALSE(cramped->timeRect.intersects(cramped->bandRect));
    EXPECT_GT(cramped->timeRect.top(), cramped->bandRect.bottom() - 0.01);
    EXPECT_LE(cramped->timeRect.bottom(), cramped->textRect.top() + 0.01);
    EXPECT_TRUE(cramped->rect.contains(cramped->textRect));
    EXPECT_FALSE(cramped->clipped) << "the flowing box made room for the time's line";
    EXPECT_EQ(cramped->nameRect.right(), cramped->lockRect.left()) << "the name has the band to itself";
}

TEST_F(DayColumnsLayoutTest, DaysWithoutDrawnLessonsSayWhyInGrey)
{
    struct Case {
        int date;
        Layout::DayKind kind;
        const char* message;
    };
    const Layout shown = layout(weekOptions());
    for (const Case& c : { Case { 3, Layout::DayKind::NonSchool, "Veterans Day" },
             Case { 4, Layout::DayKind::NoneShown, "No Lessons to Show" },
             Case { 5, Layout::DayKind::NoLessons, "No Lessons Meet on This Day" },
             Case { 2, Layout::DayKind::Lessons, "" } }) {
        const Layout::DayColumn& column = columnOn(shown, c.date);
        EXPECT_EQ(column.kind, c.kind) << c.date;
        EXPECT_EQ(column.message, QString::fromUtf8(c.message)) << c.date;
        EXPECT_EQ(column.messageRect.isEmpty(), column.message.isEmpty()) << c.date;
    }

    // Unnamed non-school days are named by their kind; a holiday keeps its
    // title even when a hidden course's lesson is still on it.
    day(3)->setValue(u"holidayName", QStringLiteral("   "));
    lesson(band, day(3), { 9, 0 }, { 10, 0 }, QString());
    EXPECT_EQ(columnOn(layout(weekOptions()), 3).message, QStringLiteral("Holiday"));
    day(3)->setValue(u"isHoliday", false);
    day(3)->setValue(u"isCancelled", true);
    EXPECT_EQ(columnOn(layout(weekOptions()), 3).message, QStringLiteral("Cancelled"));
}

TEST_F(DayColumnsLayoutTest, HeadingsNameCustomDaysAndRotationDays)
{
    m_year->setValue(u"typeOfSchedule", int(Year::Rotating));
    day(2)->setValue(u"typeOfDay", 1);
    day(5)->setValue(u"isCustom", true);
    day(5)->setValue(u"holidayName", QStringLiteral(" Assembly "));
    const Layout shown = layout(weekOptions());
    EXPECT_EQ(columnOn(shown, 2).dayType, QStringLiteral("B Day"));
    EXPECT_EQ(columnOn(shown, 5).dayType, QStringLiteral("Assembly"));
    EXPECT_TRUE(columnOn(shown, 3).dayType.isEmpty()) << "a holiday has no day type";
}

TEST_F(DayColumnsLayoutTest, SideBySideDaysShareTheWidthAndStackedDaysTakeIt)
{
    setField(mondayMath, u"lessonBody", QStringLiteral("A long plan that wraps over several lines. ").repeated(8));
    const Layout columns = layout(weekOptions(), { 1000, 300 });
    double left = -1;
    for (const Layout::DayColumn& column : columns.columns()) {
        EXPECT_EQ(column.rect.top(), 0);
        EXPECT_NEAR(column.rect.width(), 200, 0.01);
        EXPECT_GT(column.rect.left(), left);
        EXPECT_GE(column.rect.height(), 300) << "columns reach the bottom of the view";
        left = column.rect.left();
        double previousBottom = column.headingRect.bottom();
        for (const Layout::LessonBox& box : column.lessons) {
            EXPECT_TRUE(column.rect.contains(box.rect));
            EXPECT_GT(box.rect.top(), previousBottom);
            EXPECT_FALSE(box.clipped) << "flowing boxes grow with their text";
            EXPECT_TRUE(box.rect.contains(box.textRect) && box.rect.contains(box.settingsRect));
            EXPECT_FALSE(box.textRect.intersects(box.bandRect));
            previousBottom = box.rect.bottom();
        }
    }
    EXPECT_GT(columns.contentHeight(), 300) << "the long plan makes the canvas scroll";
    EXPECT_GT(columnOn(columns, 2).lessons[0].rect.height(), columnOn(columns, 2).lessons[1].rect.height());

    Layout::Options stackedOptions = weekOptions();
    stackedOptions.arrangement = Layout::Arrangement::Stacked;
    const Layout rows = layout(stackedOptions, { 1000, 300 });
    EXPECT_TRUE(rows.oneLineHeadings());
    double top = -1;
    for (const Layout::DayColumn& row : rows.columns()) {
        EXPECT_EQ(row.rect.left(), 0);
        EXPECT_EQ(row.rect.width(), 1000);
        EXPECT_GE(row.rect.top(), top);
        top = row.rect.bottom();
        for (const Layout::LessonBox& box : row.lessons)
            EXPECT_TRUE(row.rect.contains(box.rect));
    }
    // Monday's two lessons are cards side by side, as tall as each other.
    const Layout::DayColumn& monday = columnOn(rows, 2);
    EXPECT_EQ(monday.lessons[0].rect.top(), monday.lessons[1].rect.top());
    EXPECT_EQ(monday.lessons[0].rect.height(), monday.lessons[1].rect.height());
    EXPECT_LT(monday.lessons[0].rect.right(), monday.lessons[1].rect.left());
    EXPECT_EQ(rows.contentHeight(), rows.columns().last().rect.bottom());
}

TEST_F(DayColumnsLayoutTest, TimeGridPlacesLessonsByTheirTimesOnOneScale)
{
    const Layout grid = layout(timeGridOptions(), { 1000, 700 });
    ASSERT_FALSE(grid.hourLabelRect().isEmpty());
    const double gridTop = grid.hourLabelRect().top();
    // 8:00 to 11:00 over the visible height.
    const double pixelsPerHour = grid.hourLabelRect().height() / 3;
    EXPECT_LE(grid.hourLabelRect().bottom(), 700);
    EXPECT_GT(grid.hourLabelRect().bottom(), 700 * 0.8) << "the span fills the view";
    QStringList labels;
    for (const Layout::HourMark& mark : grid.hourMarks())
        labels << mark.label;
    QStringList expected;
    for (int hour = 8; hour <= 11; ++hour)
        expected << DateFormatting::formatShortTime(november(2, hour));
    EXPECT_EQ(labels, expected);
    EXPECT_NEAR(grid.hourMarks()[1].y, gridTop + pixelsPerHour, 0.01);

    const Layout::LessonBox* monday8 = grid.boxOf(mondayMath);
    const Layout::LessonBox* monday10 = grid.boxOf(mondayHistory);
    const Layout::LessonBox* friday8 = grid.boxOf(fridayMath);
    const Layout::LessonBox* friday9 = grid.boxOf(fridayHistory);
    EXPECT_NEAR(monday8->rect.top(), gridTop, 0.01);
    EXPECT_NEAR(monday8->rect.height(), pixelsPerHour, 0.01);
    EXPECT_NEAR(monday10->rect.top(), gridTop + 2 * pixelsPerHour, 0.01);
    EXPECT_NEAR(friday8->rect.top(), monday8->rect.top(), 0.01) << "one scale for every day";
    EXPECT_NEAR(friday8->rect.height(), 1.5 * pixelsPerHour, 0.01);
    EXPECT_NEAR(friday9->rect.top(), gridTop + pixelsPerHour, 0.01);

    // Friday's overlapping lessons share the column in two halves; the
    // hidden Band lesson at the same time takes no part.
    const Layout::DayColumn& friday = columnOn(grid, 6);
    const double inner = friday.rect.width() - 2 * grid.padding();
    EXPECT_NEAR(friday8->rect.left(), friday.rect.left() + grid.padding(), 0.01);
    EXPECT_NEAR(friday9->rect.left(), friday8->rect.left() + inner / 2, 0.01);
    EXPECT_LT(friday8->rect.right(), friday9->rect.left());
    EXPECT_NEAR(monday8->rect.width(), inner, 0.01) << "a lesson alone takes the whole column";

    // A third lesson over both makes three parts, placed in the model's order.
    Lesson* assembly = lesson(math, day(6), { 8, 30 }, { 9, 15 }, QStringLiteral("Assembly"));
    const Layout three = layout(timeGridOptions(), { 1000, 700 });
    ASSERT_EQ(day(6)->lessonsMeetingAtSameTimeAs(assembly), 2);
    for (Lesson* sharing : { fridayMath, fridayHistory, assembly }) {
        const int part = day(6)->positionAmongThoseSharingSameTimeOfLesson(sharing);
        EXPECT_NEAR(three.boxOf(sharing)->rect.left(), friday.rect.left() + grid.padding() + part * inner / 3, 0.01);
    }
}

TEST_F(DayColumnsLayoutTest, ShortLessonsKeepALegibleBoxAndLongTextFades)
{
    Lesson* quick = lesson(math, day(5), { 12, 0 }, { 12, 5 }, QStringLiteral("Quick check"));
    setField(quick, u"lessonBody", QStringLiteral("More to say than five minutes hold. ").repeated(6));
    const Layout grid = layout(timeGridOptions(), { 1000, 700 });
    const Layout::LessonBox* box = grid.boxOf(quick);
    EXPECT_GE(box->rect.height(), 2 * grid.lineHeight()) << "band and a line of text";
    EXPECT_GE(box->textRect.height(), grid.lineHeight());
    EXPECT_TRUE(box->clipped);
    EXPECT_FALSE(grid.boxOf(mondayMath)->clipped);

    // A view too short for the day still gives every hour room for a box.
    const Layout cramped = layout(timeGridOptions(), { 1000, 120 });
    EXPECT_GT(cramped.contentHeight(), 120);
    EXPECT_GE(cramped.boxOf(mondayMath)->rect.height(), 2 * cramped.lineHeight());
}

TEST_F(DayColumnsLayoutTest, TimeGridOfAWeekWithoutTimedLessonsStillHasAnHour)
{
    for (Lesson* shown : { mondayMath, mondayHistory, fridayMath, fridayHistory }) {
        shown->setDate(u"startTime", shown->dayTaught()->actualDate());
        shown->setDate(u"endTime", shown->dayTaught()->actualDate());
    }
    const Layout grid = layout(timeGridOptions(), { 1000, 700 });
    EXPECT_GT(grid.hourLabelRect().height(), 0);
    const Layout::LessonBox* box = grid.boxOf(mondayMath);
    EXPECT_NEAR(box->rect.top(), grid.hourLabelRect().top(), 0.01);
    EXPECT_GE(box->rect.height(), 2 * grid.lineHeight());
    // Lessons meeting at the very same time stand side by side.
    EXPECT_NEAR(grid.boxOf(mondayHistory)->rect.width(), box->rect.width(), 0.01);
    EXPECT_NE(grid.boxOf(mondayHistory)->rect.left(), box->rect.left());

    for (Day* each : m_week->days()) {
        for (Lesson* held : each->lessons())
            held->setObject(u"dayTaught", nullptr);
    }
    // An empty week spans from 23:59 back to midnight.
    const Layout empty = layout(timeGridOptions(), { 1000, 700 });
    EXPECT_GT(empty.hourLabelRect().height(), 0);
    EXPECT_EQ(columnOn(empty, 2).message, QStringLiteral("No Lessons Meet on This Day"));
}

TEST_F(DayColumnsLayoutTest, NotesAreShownBelowTheLessonsOnlyWhenPreferred)
{
    day(2)->setValue(u"notes", QStringLiteral("Fire drill at 10.\nCollect permission slips."));
    preferences.preferences().setValue(QStringLiteral("SemestraShowNotesView"), false);
    const Layout hidden = layout(weekOptions());
    EXPECT_TRUE(columnOn(hidden, 2).notesRect.isEmpty());
    EXPECT_TRUE(columnOn(hidden, 2).notes.isEmpty());

    preferences.preferences().setValue(QStringLiteral("SemestraShowNotesView"), true);
    for (const Layout::Options& options : { weekOptions(), timeGridOptions() }) {
        const Layout shown = layout(options);
        const Layout::DayColumn& monday = columnOn(shown, 2);
        EXPECT_EQ(monday.notes, QStringLiteral("Fire drill at 10.\nCollect permission slips."));
        EXPECT_GT(monday.notesRect.top(), monday.lessons.last().rect.bottom());
        EXPECT_GE(monday.notesRect.height(), 3 * shown.lineHeight()) << "caption and two lines";
        EXPECT_FALSE(columnOn(shown, 5).notesRect.isEmpty()) << "an empty notes area still shows";
        EXPECT_TRUE(monday.rect.contains(monday.notesRect));
    }
}

TEST_F(DayColumnsLayoutTest, ClicksMeanWhatIsUnderThem)
{
    const Layout week = layout(weekOptions());
    const auto below
        = [](const Layout::DayColumn& column) { return QPointF(column.rect.center().x(), column.rect.bottom() - 2); };
    const Layout::LessonBox& math8 = columnOn(week, 2).lessons[0];
    struct Case {
        QPointF point;
        QString name;
        NotificationSource* object;
    };
    const QList<Case> cases {
        { math8.rect.center(), "SemestraLessonClicked", mondayMath },
        { math8.settingsRect.center(), "SemestraLessonSettingsClicked", mondayMath },
        { math8.bandRect.topLeft() + QPointF(4, 4), "SemestraLessonClicked", mondayMath },
        { columnOn(week, 2).headingRect.center(), "SemestraSwitchToDayTools", day(2) },
        { columnOn(week, 3).headingRect.center(), "SemestraSwitchToDayTools", day(3) },
        { below(columnOn(week, 2)), "SemestraClearSelectedLesson", nullptr },
        { below(columnOn(week, 3)), "SemestraNonSchoolSettingsClicked", day(3) },
        { below(columnOn(week, 4)), "SemestraClearSelectedLesson", nullptr },
        { below(columnOn(week, 5)), "SemestraNoLessonsClicked", day(5) },
        { QPointF(-5, 10), "SemestraClearSelectedLesson", nullptr },
    };
    for (const Case& c : cases) {
        const Layout::Click click = week.clickAt(c.point);
        EXPECT_EQ(click.name, c.name) << c.point.x() << "," << c.point.y();
        EXPECT_EQ(click.object, c.object) << c.name.toStdString();
    }
    EXPECT_EQ(week.doubleClickAt(math8.rect.center()).name, QStringLiteral("SemestraLessonDoubleClicked"));
    EXPECT_EQ(week.doubleClickAt(math8.rect.center()).object, mondayMath);
    EXPECT_TRUE(week.doubleClickAt(below(columnOn(week, 5))).name.isEmpty());

    // In the day view the heading belongs to the day.
    Layout::Options dayOptions = weekOptions();
    dayOptions.headings = Layout::Headings::PartOfDay;
    DayColumnsLayout holiday(m_year, { day(3) }, dayOptions, QApplication::font(), boxTexts);
    holiday.setGeometry(600, 500);
    EXPECT_EQ(holiday.clickAt(holiday.columns()[0].headingRect.center()).name,
        QStringLiteral("SemestraNonSchoolSettingsClicked"));

    // A minute-long lesson's box reaches over the next one's top; there the
    // next one, drawn last, is hit.
    Lesson* early = lesson(math, day(5), { 10, 0 }, { 10, 1 }, QStringLiteral("Early"));
    Lesson* next = lesson(history, day(5), { 10, 2 }, { 10, 30 }, QStringLiteral("Next"));
    const Layout grid = layout(timeGridOptions());
    const QPointF nextTop = grid.boxOf(next)->rect.topLeft() + QPointF(10, 2);
    ASSERT_TRUE(grid.boxOf(early)->rect.contains(nextTop));
    EXPECT_EQ(grid.clickAt(nextTop).object, next);
}

TEST_F(DayColumnsLayoutTest, UntimedLessonsGetABandOfTheirOwnAboveTheTimeGrid)
{
    Lesson* untimed = lesson(history, day(2), { 0, 0 }, { 0, 0 }, QStringLiteral("Reading"));
    untimed->setDate(u"startTime", std::nullopt);
    untimed->setDate(u"endTime", std::nullopt);
    Lesson* halfTimed = lesson(math, day(3), { 9, 0 }, { 9, 0 }, QStringLiteral("Quiz"));
    halfTimed->setDate(u"endTime", std::nullopt);
    const Layout grid = layout(timeGridOptions(), { 1000, 700 });

    const double gridTop = grid.hourLabelRect().top();
    const Layout::LessonBox* reading = grid.boxOf(untimed);
    const Layout::LessonBox* quiz = grid.boxOf(halfTimed);
    ASSERT_TRUE(reading && quiz);
    EXPECT_LE(reading->rect.bottom(), gridTop);
    EXPECT_LE(quiz->rect.bottom(), gridTop);
    EXPECT_NEAR(reading->rect.top(), quiz->rect.top(), 0.01) << "one band across the week";
    // The timed lessons keep the grid to themselves, starting at its top.
    EXPECT_NEAR(grid.boxOf(mondayMath)->rect.top(), gridTop, 0.01);
    EXPECT_FALSE(reading->rect.intersects(grid.boxOf(mondayMath)->rect));
    const Layout::DayColumn& monday = columnOn(grid, 2);
    EXPECT_NEAR(reading->rect.width(), monday.rect.width() - 2 * grid.padding(), 0.01);
}

TEST_F(DayColumnsLayoutTest, OnlyBoxesReachingTheShownPartAreLaidOutAndLaterOnesLandInPlace)
{
    crowdMonday(8);
    const Layout::VerticalRange top { 0, 300 };
    for (const Layout::Options& options : { weekOptions(), timeGridOptions() }) {
        const bool grid = options.timeGrid.has_value();
        LessonBoxCache fresh;
        DayColumnsLayout full(m_year, m_week->daysInOrder(), options, QApplication::font(), fresh);
        full.setGeometry(1000, 300);

        boxTexts.clear();
        Layout partial(m_year, m_week->daysInOrder(), options, QApplication::font(), boxTexts);
        partial.setGeometry(1000, 300, top);
        const QList<Layout::LessonBox>& monday = columnOn(partial, 2).lessons;
        qsizetype laidOut = 0;
        for (const Layout::LessonBox& box : monday) {
            // Flowing boxes above the shown part are laid out too, for the
            // place of those below them.
            const bool reached = grid ? top.reaches(box.rect) : box.rect.top() <= top.bottom;
            EXPECT_EQ(box.text != nullptr, reached) << box.lesson->lessonTitle().toStdString() << " grid " << grid;
            laidOut += reached ? 1 : 0;
            if (grid) {
                EXPECT_EQ(box.rect, full.boxOf(box.lesson)->rect) << "times alone place a box on the grid";
            }
        }
        EXPECT_GT(laidOut, 0);
        EXPECT_LT(laidOut, monday.size());

        partial.setGeometry(1000, 300, { 0, partial.contentHeight() + 1000 });
        for (const Layout::LessonBox& box : monday) {
            EXPECT_NE(box.text, nullptr);
            EXPECT_EQ(box.rect, full.boxOf(box.lesson)->rect) << box.lesson->lessonTitle().toStdString();
            EXPECT_EQ(box.clipped, full.boxOf(box.lesson)->clipped);
        }
        EXPECT_EQ(partial.contentHeight(), full.contentHeight());

        // Texts kept at their width need no laying out: a new layout places
        // every box exactly at once.
        Layout again(m_year, m_week->daysInOrder(), options, QApplication::font(), boxTexts);
        again.setGeometry(1000, 300, top);
        for (const Layout::LessonBox& box : columnOn(again, 2).lessons) {
            EXPECT_NE(box.text, nullptr);
            EXPECT_EQ(box.rect, full.boxOf(box.lesson)->rect);
        }
    }
}
