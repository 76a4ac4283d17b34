#include "gui/views/MonthView.h"

#include "HandBuiltYear.h"
#include "foundation/color/ColorArchive.h"
#include "foundation/dates/LocalCalendar.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/ObjectContext.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/TemporaryPreferences.h"

#include <QApplication>
#include <QDir>
#include <QMouseEvent>

#include <gtest/gtest.h>

namespace {

Date november(int day, int hour = 0)
{
    return local(2026, 11, day, hour);
}

// Records one notification name with its object.
struct PostedNotification {
    QString name;
    NotificationSource* object = nullptr;
};

} // namespace

// November 2026 starts on a Sunday and its first day is the end of daylight
// saving time. School runs Monday to Friday from the 2nd; the 26th is a
// holiday, the 13th an assembly day, the 20th has no lessons and the 19th only
// lessons of a hidden course.
class MonthViewTest : public testing::Test, protected HandBuiltYear {
protected:
    MonthViewTest()
    {
        m_year = insert<Year>("Year");
        m_year->setDate(u"startDate", november(1));
        m_year->setDate(u"endDate", november(29));
        for (int number = 1; number <= 5; ++number) {
            auto* week = insert<Week>("Week");
            week->setValue(u"weekNumber", number);
            week->setObject(u"year", m_year);
            m_weeks.append(week);
        }
        math = course("Mathematics 7", QColor(0x1f, 0x5f, 0xbf), true);
        history = course("World History and Geography", QColor(0xc0, 0x39, 0x2b), true);
        band = course("Band", QColor(0x27, 0xae, 0x60), false);
        for (int date = 2; date <= 27; ++date) {
            if (LocalCalendar::weekday(november(date)) == 1 || LocalCalendar::weekday(november(date)) == 7)
                continue;
            Day* created = day(date);
            if (date == 19)
                lesson(band, created, 9, QStringLiteral("Scales"));
            else if (date != 20 && date != 26) {
                lesson(history, created, 10, QStringLiteral("Causes of the Revolution, part %1").arg(date));
                lesson(math, created, 8, QStringLiteral("Fractions %1").arg(date));
                lesson(band, created, 13, QStringLiteral("Rehearsal"));
            }
        }
        Day* thanksgiving = day(26);
        thanksgiving->setValue(u"isHoliday", true);
        thanksgiving->setValue(u"holidayName", QStringLiteral("Thanksgiving"));
        Day* assembly = day(13);
        assembly->setValue(u"isCustom", true);
        assembly->setValue(u"holidayName", QStringLiteral("Assembly Schedule"));
    }

    Day* day(int date)
    {
        if (Day* existing = m_year->getExactDayWithDate(november(date)))
            return existing;
        auto* created = insert<Day>("Day");
        created->setDate(u"actualDate", november(date));
        created->setObject(u"week", m_weeks.value((date - 1) / 7));
        return created;
    }

    Lesson* lesson(Course* of, Day* on, int hour, const QString& title)
    {
        auto* created = insert<Lesson>("Lesson");
        const DateComponents date = LocalCalendar::components(on->actualDate());
        created->setDate(u"startTime", local(date.year, date.month, date.day, hour));
        created->setDate(u"endTime", local(date.year, date.month, date.day, hour + 1));
        created->setValue(u"lessonTitle", title);
        created->setObject(u"course", of);
        created->setObject(u"dayTaught", on);
        return created;
    }

    MonthLayout layoutFor(Date date, QSizeF size = { 980, 720 }) const
    {
        const bool names = Preferences::shared().boolValue(QStringLiteral("SemestraShowCourseNamesInMonthView"));
        MonthLayout layout(
            m_year, date, names ? MonthLayout::LessonText::CourseName : MonthLayout::LessonText::LessonTitle);
        layout.setGeometry(size, 16);
        return layout;
    }

    static QStringList texts(const MonthLayout::Cell& cell)
    {
        QStringList result;
        for (const MonthLayout::LessonRow& row : cell.lessons)
            result << row.text;
        return result;
    }

    // Collects what the view posts while the test runs.
    void observeClicks()
    {
        for (const char* name : { "SemestraLessonClicked", "SemestraLessonDoubleClicked", "SemestraNoLessonsClicked",
                 "SemestraNonSchoolSettingsClicked", "SemestraClearSelectedLesson" })
            m_observers.observe(QString::fromLatin1(name), nullptr, [this](const Notification& n) {
                m_posted.push_back({ n.name, n.object });
            });
    }

    TemporaryPreferences preferences;
    FixedClock clock { november(10, 12) };
    QList<Week*> m_weeks;
    Course* math;
    Course* history;
    Course* band;
    std::vector<PostedNotification> m_posted;
    ObserverBag m_observers;
};

TEST_F(MonthViewTest, GridStartsOnTheSundayOnOrBeforeTheFirstAndHoldsWholeWeeks)
{
    struct Case {
        int month;
        int firstShownMonth;
        int firstShownDay;
        int rows;
    };
    // October starts on a Thursday, November and February on a Sunday (the
    // shortest month fits four rows), August on a Saturday (six rows).
    for (const Case& c : { Case { 10, 9, 27, 5 }, Case { 11, 11, 1, 5 }, Case { 2, 2, 1, 4 }, Case { 8, 7, 26, 6 } }) {
        const MonthLayout layout = layoutFor(local(2026, c.month, 15, 14));
        ASSERT_EQ(layout.rowCount(), c.rows) << c.month;
        ASSERT_EQ(layout.cells().size(), c.rows * 7);
        const DateComponents first = LocalCalendar::components(layout.cells().first().date);
        EXPECT_EQ(first.month, c.firstShownMonth);
        EXPECT_EQ(first.day, c.firstShownDay);
        for (int index = 0; index < layout.cells().size(); ++index) {
            const MonthLayout::Cell& cell = layout.cells()[index];
            EXPECT_EQ(LocalCalendar::weekday(cell.date), index % 7 + 1);
            EXPECT_EQ(LocalCalendar::components(cell.date).hour, 0) << "cells are local midnights across DST";
            EXPECT_EQ(cell.inMonth, LocalCalendar::components(cell.date).month == c.month);
            EXPECT_EQ(cell.dayOfMonth.isEmpty(), !cell.inMonth);
        }
    }
}

TEST_F(MonthViewTest, EachKindOfDayShowsItsTexts)
{
    const MonthLayout layout = layoutFor(november(1));

    const MonthLayout::Cell* lessons = layout.cellForDate(november(10));
    EXPECT_EQ(lessons->kind, MonthLayout::CellKind::Lessons);
    EXPECT_EQ(lessons->dayOfMonth, QStringLiteral("10"));
    EXPECT_EQ(texts(*lessons), QStringList({ "Mathematics 7", "World History and Geography" }));
    EXPECT_EQ(lessons->lessons.first().color, math->color());
    EXPECT_TRUE(lessons->message.isEmpty());
    EXPECT_TRUE(lessons->heading.isEmpty());
    EXPECT_TRUE(lessons->isToday);

    const MonthLayout::Cell* holiday = layout.cellForDate(november(26));
    EXPECT_EQ(holiday->kind, MonthLayout::CellKind::NonSchool);
    EXPECT_EQ(holiday->message, QStringLiteral("Thanksgiving"));
    EXPECT_TRUE(holiday->heading.isEmpty());

    const MonthLayout::Cell* custom = layout.cellForDate(november(13));
    EXPECT_EQ(custom->heading, QStringLiteral("Assembly Schedule"));
    EXPECT_EQ(custom->lessons.size(), 2);

    EXPECT_EQ(layout.cellForDate(november(20))->message, QStringLiteral("No Courses Assigned"));
    EXPECT_EQ(layout.cellForDate(november(20))->kind, MonthLayout::CellKind::NoLessons);
    EXPECT_EQ(layout.cellForDate(november(19))->message, QStringLiteral("No Courses to Show"));
    EXPECT_EQ(layout.cellForDate(november(19))->kind, MonthLayout::CellKind::NoneShown);

    const MonthLayout::Cell* weekend = layout.cellForDate(november(28));
    EXPECT_EQ(weekend->kind, MonthLayout::CellKind::Blank);
    EXPECT_EQ(weekend->day, nullptr);
    EXPECT_TRUE(weekend->message.isEmpty() && weekend->lessons.isEmpty());
    EXPECT_EQ(weekend->dayOfMonth, QStringLiteral("28"));

    int todayCount = 0;
    for (const MonthLayout::Cell& cell : layout.cells())
        todayCount += cell.isToday ? 1 : 0;
    EXPECT_EQ(todayCount, 1);
}

TEST_F(MonthViewTest, RotatingYearsHeadSchoolDaysWithTheirDayType)
{
    m_year->setValue(u"typeOfSchedule", int(Year::Rotating));
    day(10)->setValue(u"typeOfDay", 1);
    const MonthLayout layout = layoutFor(november(1));
    EXPECT_EQ(layout.cellForDate(november(10))->heading, QStringLiteral("B Day"));
    EXPECT_EQ(layout.cellForDate(november(13))->heading, QStringLiteral("Assembly Schedule"));
    EXPECT_TRUE(layout.cellForDate(november(26))->heading.isEmpty());

    preferences.preferences().setValue(QStringLiteral("rotatingNumbers"), true);
    EXPECT_EQ(layoutFor(november(1)).cellForDate(november(10))->heading, QStringLiteral("Day 2"));
}

TEST_F(MonthViewTest, RowsStayInsideTheirCellAndTooManyLessonsAreCounted)
{
    band->setValue(u"draw", 1);
    const MonthLayout roomy = layoutFor(november(1));
    const MonthLayout::Cell* full = roomy.cellForDate(november(3));
    EXPECT_EQ(full->hiddenLessonCount, 0);
    for (const MonthLayout::Cell& cell : roomy.cells()) {
        EXPECT_TRUE(cell.rect.contains(cell.dayOfMonthRect) && !cell.dayOfMonthRect.isEmpty());
        EXPECT_FALSE(cell.dayOfMonthRect.intersects(cell.headingRect));
        for (int index = 0; index < cell.lessons.size(); ++index) {
            const QRectF row = cell.lessons[index].rect;
            EXPECT_TRUE(cell.rect.contains(row));
            EXPECT_FALSE(row.intersects(cell.headingRect));
            if (index > 0) {
                EXPECT_FALSE(row.intersects(cell.lessons[index - 1].rect));
            }
        }
    }

    // Room for two rows: one lesson and the count of the other two.
    const MonthLayout cramped = layoutFor(november(1), { 700, 400 });
    const MonthLayout::Cell* crowded = cramped.cellForDate(november(3));
    EXPECT_EQ(crowded->hiddenLessonCount, 2);
    EXPECT_FALSE(crowded->lessons[0].rect.isNull());
    EXPECT_TRUE(crowded->lessons[1].rect.isNull());
    EXPECT_TRUE(crowded->rect.contains(crowded->moreRect));
    EXPECT_FALSE(crowded->moreRect.intersects(crowded->lessons[0].rect));
    EXPECT_EQ(cramped.clickAt(crowded->moreRect.center()).name, QStringLiteral("SemestraClearSelectedLesson"));
}

TEST_F(MonthViewTest, ClicksPostTheNotificationOfWhatIsUnderThem)
{
    observeClicks();
    MonthView view;
    view.resize(980, 720);
    view.setMonth(m_year, november(1));
    const MonthLayout& layout = *view.monthLayout();
    const auto click = [&view](QEvent::Type type, QPointF point) {
        QMouseEvent event(type, point, view.mapToGlobal(point), Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(&view, &event);
    };
    const auto belowContent
        = [](const MonthLayout::Cell* cell) { return QPointF(cell->rect.center().x(), cell->rect.bottom() - 3); };

    const MonthLayout::LessonRow& history4 = layout.cellForDate(november(4))->lessons[1];
    click(QEvent::MouseButtonPress, history4.rect.center());
    click(QEvent::MouseButtonDblClick, history4.rect.center());
    click(QEvent::MouseButtonPress, belowContent(layout.cellForDate(november(26))));
    click(QEvent::MouseButtonPress, belowContent(layout.cellForDate(november(20))));
    click(QEvent::MouseButtonPress, belowContent(layout.cellForDate(november(4))));
    click(QEvent::MouseButtonDblClick, belowContent(layout.cellForDate(november(4))));
    click(QEvent::MouseButtonPress, belowContent(layout.cellForDate(november(19))));
    click(QEvent::MouseButtonPress, belowContent(layout.cellForDate(november(28))));
    click(QEvent::MouseButtonPress, layout.titleRect().center());

    const std::vector<PostedNotification> expected {
        { "SemestraLessonClicked", history4.lesson },
        { "SemestraLessonDoubleClicked", history4.lesson },
        { "SemestraNonSchoolSettingsClicked", day(26) },
        { "SemestraNoLessonsClicked", day(20) },
        { "SemestraClearSelectedLesson", nullptr },
        { "SemestraClearSelectedLesson", nullptr },
        { "SemestraClearSelectedLesson", nullptr },
        { "SemestraClearSelectedLesson", nullptr },
    };
    ASSERT_EQ(m_posted.size(), expected.size());
    for (size_t index = 0; index < expected.size(); ++index) {
        EXPECT_EQ(m_posted[index].name, expected[index].name) << index;
        EXPECT_EQ(m_posted[index].object, expected[index].object) << index;
    }
}

TEST_F(MonthViewTest, RedrawsOnNotificationsOfItsOwnDocumentOnly)
{
    MonthView view;
    view.resize(980, 720);
    view.setMonth(m_year, november(1));
    const auto firstRow = [&view] { return texts(*view.monthLayout()->cellForDate(november(5))).value(0); };
    math->setValue(u"courseName", QStringLiteral("Algebra"));
    EXPECT_EQ(firstRow(), QStringLiteral("Algebra"));
    // A preference changed behind the view's back shows only once something
    // asks for a redraw.
    preferences.preferences().setValue(QStringLiteral("SemestraShowCourseNamesInMonthView"), false);
    ASSERT_EQ(firstRow(), QStringLiteral("Algebra"));

    std::unique_ptr<ObjectContext> otherDocument = SemestraRecords::newContext();
    auto* otherCourse = otherDocument->insert<MyCourse>(QStringLiteral("MyCourse"));
    auto* otherLesson = otherDocument->insert<Lesson>(QStringLiteral("Lesson"));
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraCourseColorChanged"), otherCourse);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraCourseNameChanged"), otherCourse);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraLessonDisplayTextChanged"), otherLesson);
    EXPECT_EQ(firstRow(), QStringLiteral("Algebra"));

    math->setColor(QColor(0x8e, 0x44, 0xad));
    EXPECT_EQ(firstRow(), QStringLiteral("Fractions 5"));
    EXPECT_EQ(view.monthLayout()->cellForDate(november(5))->lessons.value(0).color, QColor(0x8e, 0x44, 0xad));

    math->setValue(u"draw", 0);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraCoursesToDrawChanged"));
    EXPECT_EQ(firstRow(), QStringLiteral("Causes of the Revolution, part 5"));

    preferences.preferences().setValue(QStringLiteral("SemestraShowCourseNamesInMonthView"), true);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraPlanningModesNeedRefresh"));
    EXPECT_EQ(firstRow(), QStringLiteral("World History and Geography"));
}

// A lesson's new text changes its day's cell alone: the view reads that cell
// again on the next turn and leaves the others, and the month as it was
// laid out. The course's colour is changed without telling anyone, so that
// only the cells read again show it.
TEST_F(MonthViewTest, ALessonsChangeReadsOnlyItsDaysCellAgainOnTheNextTurn)
{
    preferences.preferences().setValue(QStringLiteral("SemestraShowCourseNamesInMonthView"), false);
    MonthView view;
    view.resize(980, 720);
    view.show();
    view.setMonth(m_year, november(1));
    QCoreApplication::processEvents();
    const MonthLayout* layout = view.monthLayout();
    const int reads = view.monthReads();
    const QColor before = math->color();
    const QColor purple(0x8e, 0x44, 0xad);
    math->setValue(u"colorData", ColorArchive::archive(purple));
    Lesson* thursdayMath = layout->cellForDate(november(5))->lessons.value(0).lesson;
    ASSERT_NE(thursdayMath, nullptr);
    thursdayMath->setValue(u"lessonTitle", QStringLiteral("Decimals"));
    thursdayMath->setValue(u"lessonTitle", QStringLiteral("Percentages"));

    QCoreApplication::processEvents();
    EXPECT_EQ(view.monthLayout(), layout);
    EXPECT_EQ(view.monthReads(), reads);
    const MonthLayout::LessonRow thursday = layout->cellForDate(november(5))->lessons.value(0);
    EXPECT_EQ(thursday.text, QStringLiteral("Percentages"));
    EXPECT_EQ(thursday.color, purple);
    EXPECT_FALSE(thursday.rect.isNull()) << "the cell's rows keep their places";
    EXPECT_EQ(layout->cellForDate(november(4))->lessons.value(0).color, before);

    // Anything but a lesson's text reads the whole month, once however often
    // it is told.
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraPlanningModesNeedRefresh"));
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraCoursesToDrawChanged"));
    thursdayMath->setValue(u"lessonTitle", QStringLiteral("Ratios"));
    QCoreApplication::processEvents();
    EXPECT_EQ(view.monthReads(), reads + 1);
    EXPECT_EQ(view.monthLayout()->cellForDate(november(4))->lessons.value(0).color, purple);
    EXPECT_EQ(texts(*view.monthLayout()->cellForDate(november(5))).value(0), QStringLiteral("Ratios"));
}

// Writes what the view draws for looking at; the pixels checked are those a
// broken paint would lose first.
TEST_F(MonthViewTest, FilledMonthScreenshots)
{
    const QString folder = QStringLiteral(SEMESTRA_SCREENSHOT_DIR);
    ASSERT_TRUE(QDir().mkpath(folder));
    MonthView view;
    view.resize(980, 720);
    view.setMonth(m_year, november(1));
    const QImage image = view.grab().toImage();
    ASSERT_TRUE(image.save(folder + QStringLiteral("/month-view.png")));
    const MonthLayout::Cell* today = view.monthLayout()->cellForDate(november(10));
    EXPECT_NE(image.pixelColor(today->rect.bottomRight().toPoint() - QPoint(3, 3)), QColor(Qt::white));
    const QRectF mathRow = view.monthLayout()->cellForDate(november(4))->lessons[0].rect;
    EXPECT_EQ(image.pixelColor(mathRow.topLeft().toPoint() + QPoint(1, 2)), math->color());
    EXPECT_NE(image.pixelColor(image.width() - 1, image.height() / 2), QColor(Qt::white)) << "right grid line";

    band->setValue(u"draw", 1);
    NotificationCenter::defaultCenter().post(QStringLiteral("SemestraCoursesToDrawChanged"));
    view.resize(640, 420);
    ASSERT_TRUE(view.grab().save(folder + QStringLiteral("/month-view-small.png")));
    EXPECT_GT(view.monthLayout()->cellForDate(november(3))->hiddenLessonCount, 0);
}
