#include "DayColumnsFixture.h"
#include "gui/views/DayColumnsCanvas.h"
#include "gui/views/DayView.h"
#include "gui/views/WeekView.h"
#include "model/Assignment.h"

#include <QMouseEvent>
#include <QScrollArea>
#include <QScrollBar>
#include <QTextDocument>

#include <cmath>

class DayAndWeekViewTest : public DayColumnsFixture {
protected:
    static void click(DayColumnsCanvas* canvas, QPointF point, QEvent::Type type = QEvent::MouseButtonPress)
    {
        QMouseEvent event(type, point, canvas->mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(canvas, &event);
    }

    // Shows the week in a view of that size, with its scroll bars set up.
    static void show(WeekView& view, Year* year, Week* week, QSize size)
    {
        view.resize(size);
        view.show();
        view.setWeek(year, week);
        QCoreApplication::processEvents();
    }

    // What a layout of the whole week at the view's size makes of the box.
    QRectF placedWhole(const WeekView& view, const Lesson* lesson)
    {
        const DayColumnsCanvas& canvas = *view.canvas();
        DayColumnsLayout whole(
            m_year, m_week->daysInOrder(), view.dayColumnsLayout()->options(), canvas.font(), boxTexts);
        whole.setGeometry(canvas.width(), canvas.scrollArea()->viewport()->height());
        return whole.boxOf(lesson)->rect;
    }

    static QRectF visiblePart(const DayColumnsCanvas& canvas)
    {
        const QWidget* viewport = canvas.scrollArea()->viewport();
        return QRectF(0, canvas.scrollArea()->verticalScrollBar()->value(), viewport->width(), viewport->height());
    }

    static QStringList courseNames(const DayColumnsLayout::DayColumn& column)
    {
        QStringList names;
        for (const DayColumnsLayout::LessonBox& box : column.lessons)
            names << box.courseName;
        return names;
    }
};

TEST_F(DayAndWeekViewTest, ClicksPostAndTheClickedLessonIsMarked)
{
    observePosts();
    WeekView view;
    view.resize(1000, 700);
    view.show();
    view.setWeek(m_year, m_week);
    DayColumnsCanvas* canvas = view.canvas();
    const DayColumnsLayout& layout = *view.dayColumnsLayout();
    const DayColumnsLayout::LessonBox* history = layout.boxOf(mondayHistory);
    ASSERT_NE(history, nullptr);
    EXPECT_EQ(canvas->width(), view.canvas()->scrollArea()->viewport()->width());

    click(canvas, history->rect.center());
    EXPECT_EQ(canvas->selectedLesson(), mondayHistory);
    click(canvas, history->rect.center(), QEvent::MouseButtonDblClick);
    click(canvas, history->settingsRect.center());
    click(canvas, columnOn(layout, 4).headingRect.center());
    click(canvas, QPointF(columnOn(layout, 5).rect.center().x(), canvas->height() - 3));
    EXPECT_EQ(canvas->selectedLesson(), mondayHistory) << "only a clear drops the mark";
    click(canvas, QPointF(columnOn(layout, 2).rect.center().x(), canvas->height() - 3));
    EXPECT_EQ(canvas->selectedLesson(), nullptr);

    const std::vector<Posted> expected {
        { "SemestraLessonClicked", mondayHistory },
        { "SemestraLessonDoubleClicked", mondayHistory },
        { "SemestraLessonSettingsClicked", mondayHistory },
        { "SemestraSwitchToDayTools", day(4) },
        { "SemestraNoLessonsClicked", day(5) },
        { "SemestraClearSelectedLesson", nullptr },
    };
    ASSERT_EQ(m_posted.size(), expected.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(m_posted[index].name, expected[index].name) << index;
        EXPECT_EQ(m_posted[index].object, expected[index].object) << index;
    }

    // A lesson selected elsewhere in the window is marked here too.
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraLessonClicked"), fridayMath);
    EXPECT_EQ(canvas->selectedLesson(), fridayMath);
}

TEST_F(DayAndWeekViewTest, AnotherDocumentsNotificationsChangeNothing)
{
    WeekView week;
    DayView today;
    week.resize(1000, 700);
    today.resize(600, 700);
    week.show();
    today.show();
    week.setWeek(m_year, m_week);
    today.setDay(m_year, day(2));
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraLessonClicked"), mondayMath);
    math->setValue(u"courseName", QStringLiteral("Algebra"));
    const auto firstNames = [&] {
        return QStringList { courseNames(columnOn(*week.dayColumnsLayout(), 2)).value(0),
            courseNames(today.dayColumnsLayout()->columns().value(0)).value(0) };
    };
    EXPECT_EQ(firstNames(), QStringList({ "Algebra", "Algebra" }));
    // A preference changed behind the views' backs shows only once something
    // asks for a redraw.
    preferences.preferences().setValue(QStringLiteral("SemestraAlwaysShowLessonTimes"), true);
    const auto firstTimes = [&] {
        return QStringList { columnOn(*week.dayColumnsLayout(), 2).lessons.value(0).time,
            today.dayColumnsLayout()->columns().value(0).lessons.value(0).time };
    };
    ASSERT_EQ(firstTimes(), QStringList({ "", "" }));

    std::unique_ptr<ObjectContext> other = SemestraRecords::newContext();
    auto* otherLesson = other->insert<Lesson>(QStringLiteral("Lesson"));
    auto* otherCourse = other->insert<MyCourse>(QStringLiteral("MyCourse"));
    auto* otherDay = other->insert<Day>(QStringLiteral("Day"));
    for (const char* name : { "SemestraLessonDisplayTextChanged", "SemestraLessonClicked" })
        NotificationCenter::defaultCenter().post(QString::fromLatin1(name), otherLesson);
    for (const char* name : { "SemestraCourseColorChanged", "SemestraCourseNameChanged" })
        NotificationCenter::defaultCenter().post(QString::fromLatin1(name), otherCourse);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraHolidayNameChanged"), otherDay);
    EXPECT_EQ(firstTimes(), QStringList({ "", "" }));
    EXPECT_EQ(week.canvas()->selectedLesson(), mondayMath);
    EXPECT_EQ(today.canvas()->selectedLesson(), mondayMath);

    // A change to a lesson of this document composes that lesson's box
    // again, and only that box.
    const DayColumnsLayout::DayColumn& monday = columnOn(*week.dayColumnsLayout(), 2);
    const QTextDocument* historyText = monday.lessons[1].text.get();
    const double mathHeight = monday.lessons[0].rect.height();
    setField(mondayMath, u"lessonBody", QStringLiteral("Equivalent fractions with fraction strips. ").repeated(5));
    EXPECT_EQ(firstNames(), QStringList({ "Algebra", "Algebra" }));
    EXPECT_GT(monday.lessons[0].rect.height(), mathHeight);
    EXPECT_GT(monday.lessons[1].rect.top(), monday.lessons[0].rect.bottom()) << "the next box moved down";
    EXPECT_EQ(monday.lessons[1].text.get(), historyText);
    today.setDay(m_year, day(5));
    day(5)->setValue(u"isHoliday", true);
    day(5)->setValue(u"holidayName", QStringLiteral("Snow Day"));
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraHolidayNameChanged"), day(5));
    EXPECT_EQ(columnOn(*week.dayColumnsLayout(), 5).message, QStringLiteral("Snow Day"));
    EXPECT_EQ(today.dayColumnsLayout()->columns().value(0).message, QStringLiteral("Snow Day"));
}

TEST_F(DayAndWeekViewTest, ViewsFollowTheDisplayPreferencesOnRefresh)
{
    WeekView week;
    week.resize(1000, 700);
    week.show();
    week.setWeek(m_year, m_week);
    EXPECT_EQ(week.week(), m_week);
    EXPECT_EQ(week.dayColumnsLayout()->options().arrangement, DayColumnsLayout::Arrangement::SideBySide);
    EXPECT_EQ(week.dayColumnsLayout()->options().headings, DayColumnsLayout::Headings::OpenDayTools);

    preferences.preferences().setValue(QStringLiteral("SemestraShowDaysVertically"), true);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraPlanningModesNeedRefresh"));
    EXPECT_EQ(week.dayColumnsLayout()->options().arrangement, DayColumnsLayout::Arrangement::Stacked);
    EXPECT_FALSE(week.dayColumnsLayout()->options().timeGrid);

    preferences.preferences().setValue(QStringLiteral("SemestraShowDaysWithTimes"), true);
    week.refresh();
    ASSERT_TRUE(week.dayColumnsLayout()->options().timeGrid);
    EXPECT_EQ(DayColumnsLayout::secondsOfDay(week.dayColumnsLayout()->options().timeGrid->earliest), 8 * 3600);
    EXPECT_FALSE(week.dayColumnsLayout()->hourLabelRect().isEmpty());

    // The day view keeps its day in order down the full width, and its
    // heading is part of the day.
    DayView single;
    single.resize(600, 700);
    single.show();
    single.setDay(m_year, day(6));
    EXPECT_EQ(single.day(), day(6));
    const DayColumnsLayout& layout = *single.dayColumnsLayout();
    ASSERT_EQ(layout.columns().size(), 1);
    EXPECT_FALSE(layout.options().timeGrid);
    EXPECT_EQ(layout.options().headings, DayColumnsLayout::Headings::PartOfDay);
    EXPECT_EQ(courseNames(layout.columns()[0]), QStringList({ "Mathematics", "History" }));
    EXPECT_EQ(layout.columns()[0].rect.width(), single.canvas()->width());

    band->setValue(u"draw", 1);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraCoursesToDrawChanged"));
    EXPECT_EQ(courseNames(single.dayColumnsLayout()->columns()[0]), QStringList({ "Mathematics", "Band", "History" }));
    single.setDay(m_year, nullptr);
    EXPECT_TRUE(single.dayColumnsLayout()->columns().isEmpty());
}

TEST_F(DayAndWeekViewTest, RedrawsKeepTheScrollPositionAndAnotherWeekStartsAtTheTop)
{
    setField(mondayMath, u"lessonBody", QStringLiteral("A plan longer than the view is high. ").repeated(40));
    WeekView view;
    view.resize(700, 300);
    view.show();
    view.setWeek(m_year, m_week);
    QCoreApplication::processEvents();
    QScrollBar* bar = view.canvas()->scrollArea()->verticalScrollBar();
    ASSERT_GT(bar->maximum(), 200);
    bar->setValue(200);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraPlanningModesNeedRefresh"));
    QCoreApplication::processEvents();
    EXPECT_EQ(bar->value(), 200);

    auto* nextWeek = insert<Week>("Week");
    nextWeek->setValue(u"weekNumber", 2);
    nextWeek->setObject(u"year", m_year);
    view.setWeek(m_year, nextWeek);
    EXPECT_EQ(bar->value(), 0);
    EXPECT_TRUE(view.dayColumnsLayout()->columns().isEmpty());
}

TEST_F(DayAndWeekViewTest, RefreshesKeepTheTextsOfLessonsThatDidNotChange)
{
    auto* quiz = insert<Assignment>("Assignment");
    quiz->setValue(u"title", QStringLiteral("Quiz"));
    quiz->setObject(u"assignedLesson", mondayHistory);
    preferences.preferences().setValue(QStringLiteral("SemestraShowAssignmentsInLessonViews"), true);
    WeekView view;
    show(view, m_year, m_week, { 1000, 700 });
    const auto textOf = [&view](const Lesson* lesson) { return view.dayColumnsLayout()->boxOf(lesson)->text; };
    const std::shared_ptr<QTextDocument> math = textOf(mondayMath);
    const std::shared_ptr<QTextDocument> history = textOf(mondayHistory);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraPlanningModesNeedRefresh"));
    EXPECT_EQ(textOf(mondayMath), math);
    EXPECT_EQ(textOf(mondayHistory), history);

    // A lesson that changes while another week is shown is composed anew
    // when its week comes back; the others are still kept.
    auto* nextWeek = insert<Week>("Week");
    nextWeek->setValue(u"weekNumber", 2);
    nextWeek->setObject(u"year", m_year);
    view.setWeek(m_year, nextWeek);
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    view.setWeek(m_year, m_week);
    EXPECT_NE(textOf(mondayMath), math);
    EXPECT_TRUE(textOf(mondayMath)->toPlainText().contains(QStringLiteral("Page 12")));
    EXPECT_EQ(textOf(mondayHistory), history);

    // A preference that changes what boxes say composes every text anew.
    ASSERT_TRUE(history->toPlainText().contains(QStringLiteral("Assigned: Quiz")));
    preferences.preferences().setValue(QStringLiteral("SemestraShowAssignmentsInLessonViews"), false);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraPlanningModesNeedRefresh"));
    EXPECT_FALSE(textOf(mondayHistory)->toPlainText().contains(QStringLiteral("Quiz")));
}

TEST_F(DayAndWeekViewTest, BoxesBelowTheVisiblePartAreLaidOutWhenScrolledIntoView)
{
    const QList<Lesson*> added = crowdMonday(8);
    WeekView view;
    show(view, m_year, m_week, { 1000, 300 });
    const auto boxOf = [&view](const Lesson* lesson) { return view.dayColumnsLayout()->boxOf(lesson); };
    ASSERT_EQ(boxOf(added.last())->text, nullptr);

    // The content grows or shrinks as estimated heights become real ones,
    // so the bottom is reached in steps.
    QScrollBar* bar = view.canvas()->scrollArea()->verticalScrollBar();
    for (int step = 0; step < 10 && !(boxOf(added.last())->text && bar->value() == bar->maximum()); ++step) {
        bar->setValue(bar->maximum());
        QCoreApplication::processEvents();
    }
    const DayColumnsLayout::LessonBox* last = boxOf(added.last());
    ASSERT_NE(last->text, nullptr);
    EXPECT_TRUE(visiblePart(*view.canvas()).contains(last->rect));
    EXPECT_EQ(last->rect, placedWhole(view, added.last()));
    EXPECT_FALSE(last->clipped);
    EXPECT_EQ(std::ceil(view.dayColumnsLayout()->contentHeight()), view.canvas()->height());
}

TEST_F(DayAndWeekViewTest, SelectingALessonOutOfViewScrollsToItsExactPlace)
{
    const QList<Lesson*> added = crowdMonday(8);
    WeekView view;
    show(view, m_year, m_week, { 1000, 300 });
    ASSERT_EQ(view.dayColumnsLayout()->boxOf(added.last())->text, nullptr);

    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraLessonClicked"), added.last());
    QCoreApplication::processEvents();
    const DayColumnsLayout::LessonBox* box = view.dayColumnsLayout()->boxOf(added.last());
    ASSERT_NE(box->text, nullptr);
    EXPECT_EQ(box->rect, placedWhole(view, added.last()));
    EXPECT_TRUE(visiblePart(*view.canvas()).contains(box->rect.center()));
}

TEST_F(DayAndWeekViewTest, ANarrowerViewWrapsTheKeptTextsAgain)
{
    setField(mondayMath, u"lessonBody", QStringLiteral("Equivalent fractions with fraction strips. ").repeated(3));
    WeekView view;
    show(view, m_year, m_week, { 1200, 700 });
    const std::shared_ptr<QTextDocument> text = view.dayColumnsLayout()->boxOf(mondayMath)->text;
    const double height = view.dayColumnsLayout()->boxOf(mondayMath)->rect.height();

    view.resize(800, 700);
    QCoreApplication::processEvents();
    const DayColumnsLayout::LessonBox* box = view.dayColumnsLayout()->boxOf(mondayMath);
    EXPECT_EQ(box->text, text) << "wrapped again, not composed again";
    EXPECT_EQ(box->text->textWidth(), box->textRect.width());
    EXPECT_GT(box->rect.height(), height);
    EXPECT_FALSE(box->clipped);
}

// A bump tells of every lesson it moves, and the selection follows the moved
// content to its week: the view waits for the turn of the event loop and
// places its boxes once, showing where the changes ended.
TEST_F(DayAndWeekViewTest, ChangesOfOneTurnAreLaidOutOnceInTheirFinalState)
{
    WeekView view;
    show(view, m_year, m_week, { 1000, 700 });
    const DayColumnsCanvas& canvas = *view.canvas();
    const int passes = canvas.layoutPasses();
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    setField(mondayMath, u"homework", QStringLiteral("Page 14"));
    view.setWeek(m_year, m_week);
    setField(mondayHistory, u"homework", QStringLiteral("Map of Paris"));
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraPlanningModesNeedRefresh"));
    setField(fridayMath, u"homework", QStringLiteral("Page 20"));
    EXPECT_EQ(canvas.layoutPasses(), passes);

    QCoreApplication::processEvents();
    EXPECT_EQ(canvas.layoutPasses(), passes + 1);
    const auto textOf
        = [&view](const Lesson* lesson) { return view.dayColumnsLayout()->boxOf(lesson)->text->toPlainText(); };
    EXPECT_TRUE(textOf(mondayMath).contains(QStringLiteral("Page 14")));
    EXPECT_FALSE(textOf(mondayMath).contains(QStringLiteral("Page 12")));
    EXPECT_TRUE(textOf(mondayHistory).contains(QStringLiteral("Map of Paris")));
    EXPECT_TRUE(textOf(fridayMath).contains(QStringLiteral("Page 20")));
    QCoreApplication::processEvents();
    EXPECT_EQ(canvas.layoutPasses(), passes + 1) << "nothing is left to do";
}

// A grab or a synchronous repaint before the turn draws the change, and the
// pass it took is not made again.
TEST_F(DayAndWeekViewTest, APaintBeforeTheTurnDrawsTheChangeOnce)
{
    WeekView view;
    show(view, m_year, m_week, { 1000, 700 });
    const DayColumnsCanvas& canvas = *view.canvas();
    const int passes = canvas.layoutPasses();
    mondayMath->setValue(u"lessonTitle", QStringLiteral("Decimals"));
    view.grab();
    EXPECT_EQ(canvas.layoutPasses(), passes + 1);
    QCoreApplication::processEvents();
    EXPECT_EQ(canvas.layoutPasses(), passes + 1);
    EXPECT_TRUE(view.dayColumnsLayout()->boxOf(mondayMath)->text->toPlainText().contains(QStringLiteral("Decimals")));
}

// The day view sits hidden behind the week view most of the time: it lays
// out what changed only when it is shown again.
TEST_F(DayAndWeekViewTest, AHiddenViewLaysOutWhenShown)
{
    WeekView view;
    show(view, m_year, m_week, { 1000, 700 });
    const DayColumnsCanvas& canvas = *view.canvas();
    view.hide();
    const int passes = canvas.layoutPasses();
    setField(mondayMath, u"homework", QStringLiteral("Page 12"));
    QCoreApplication::processEvents();
    EXPECT_EQ(canvas.layoutPasses(), passes);

    view.show();
    EXPECT_EQ(canvas.layoutPasses(), passes + 1);
    EXPECT_TRUE(view.dayColumnsLayout()->boxOf(mondayMath)->text->toPlainText().contains(QStringLiteral("Page 12")));
}
