#include "gui/schedule/NewYearSheet.h"

#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"

#include <QApplication>
#include <QCheckBox>
#include <QDateEdit>
#include <QDir>
#include <QHeaderView>
#include <QLineEdit>
#include <QListWidget>
#include <QMessageBox>
#include <QPointer>
#include <QPushButton>
#include <QRadioButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTest>
#include <QTimer>

#include <gtest/gtest.h>

#include <algorithm>

namespace {

enum Weekday { Sunday, Monday, Tuesday, Wednesday, Thursday, Friday, Saturday };

// Tuesday 8 September 2026 to Wednesday 30 September 2026: four weeks.
const QDate firstDay(2026, 9, 8);
const QDate lastDay(2026, 9, 30);

class NewYearSheetTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The window closes itself when the wizard is closed, and deletes
        // itself on close, so it lives on the heap.
        window = new DocumentWindow;
        window->show();
        sheet = window->showNewYearSheet();
        ASSERT_NE(sheet, nullptr);
    }

    void TearDown() override { delete window.data(); }

    template <typename T> T* child(const QString& name) const
    {
        T* found = sheet->findChild<T*>(name);
        EXPECT_NE(found, nullptr) << name.toStdString();
        return found;
    }

    void click(const QString& button) const { QTest::mouseClick(child<QPushButton>(button), Qt::LeftButton); }

    // Answers the next message box with `button`, keeping its title.
    void answerAlert(const QString& button)
    {
        QTimer::singleShot(0, [this, button] {
            auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
            ASSERT_NE(box, nullptr);
            alerts << box->text();
            for (QAbstractButton* choice : box->buttons()) {
                if (choice->text() == button) {
                    choice->click();
                    return;
                }
            }
            ADD_FAILURE() << "no button " << button.toStdString();
            box->reject();
        });
    }

    void setDates(QDate start, QDate end) const
    {
        child<QDateEdit>(QStringLiteral("startDate"))->setDate(start);
        child<QDateEdit>(QStringLiteral("endDate"))->setDate(end);
    }

    QCheckBox* weekdayBox(int weekday) const { return child<QCheckBox>(QStringLiteral("weekday%1").arg(weekday)); }

    // Ticks exactly these weekdays, clicking the boxes that show otherwise.
    void teach(std::initializer_list<Weekday> weekdays) const
    {
        for (int weekday = Sunday; weekday <= Saturday; ++weekday) {
            const bool wanted = std::find(weekdays.begin(), weekdays.end(), weekday) != weekdays.end();
            if (weekdayBox(weekday)->isChecked() != wanted)
                QTest::mouseClick(weekdayBox(weekday), Qt::LeftButton);
        }
    }

    void typeCourse(const QString& name) const
    {
        auto* field = child<QLineEdit>(QStringLiteral("courseName"));
        QTest::keyClicks(field, name);
        QTest::keyClick(field, Qt::Key_Return);
    }

    void chooseSchedule(int row) const
    {
        // On the indicator: the button is wider than its label.
        auto* choice = child<QRadioButton>(QStringLiteral("schedule%1").arg(row));
        QTest::mouseClick(choice, Qt::LeftButton, {}, QPoint(8, choice->height() / 2));
    }

    // Weekdays Monday to Friday and two courses, ready to continue.
    void fillFirstPage(int scheduleRow)
    {
        setDates(firstDay, lastDay);
        teach({ Monday, Tuesday, Wednesday, Thursday, Friday });
        typeCourse(QStringLiteral("Math"));
        typeCourse(QStringLiteral("Art"));
        chooseSchedule(scheduleRow);
    }

    QTableWidget* selectionTable() const { return child<QTableWidget>(QStringLiteral("courseSelection")); }

    QStringList columnHeaders() const
    {
        QStringList headers;
        for (int column = 0; column < selectionTable()->columnCount(); ++column)
            headers << selectionTable()->horizontalHeaderItem(column)->text();
        return headers;
    }

    void tick(int row, int column) const
    {
        auto* box = selectionTable()->cellWidget(row, column)->findChild<QCheckBox*>();
        ASSERT_NE(box, nullptr);
        QTest::mouseClick(box, Qt::LeftButton);
    }

    QStringList courseList() const
    {
        QStringList names;
        auto* list = child<QListWidget>(QStringLiteral("courseList"));
        for (int row = 0; row < list->count(); ++row)
            names << list->item(row)->text();
        return names;
    }

    bool onSetupPage() const { return child<QPushButton>(QStringLiteral("continue"))->isVisible(); }

    Year* year() const { return window->document().getCurrentYear(); }

    // "Math Art" per school day, "-" for a cancelled one.
    QStringList meetings() const
    {
        QStringList days;
        for (const Day* day : year()->getAllDaysOrderedAscending()) {
            QStringList names;
            for (const Lesson* lesson : day->lessonsInOrder())
                names << lesson->courseName();
            days << (day->isCancelled() ? QStringLiteral("-") : names.join(QLatin1Char(' ')));
        }
        return days;
    }

    void saveScreenshot(const QString& name) const
    {
        QApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(sheet->grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    QPointer<DocumentWindow> window;
    QPointer<NewYearSheet> sheet;
    QStringList alerts;
};

TEST_F(NewYearSheetTest, OpensOnlyForADocumentWithoutAYear)
{
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_EQ(sheet->windowModality(), Qt::WindowModal);
    EXPECT_EQ(sheet->parentWidget(), window.data());
    window->document().context().insertObject(QStringLiteral("Year"));
    EXPECT_EQ(window->showNewYearSheet(), nullptr);
}

TEST_F(NewYearSheetTest, TraditionalYearIsBuiltStraightFromTheFirstPage)
{
    fillFirstPage(0);
    saveScreenshot(QStringLiteral("new-year-setup.png"));
    click(QStringLiteral("continue"));

    ASSERT_NE(year(), nullptr);
    EXPECT_EQ(year()->typeOfSchedule(), 0);
    const QStringList days = meetings();
    ASSERT_EQ(days.size(), 20);
    // The grid starts on the Sunday before: the Monday before the chosen
    // Tuesday is a school day too.
    EXPECT_EQ(year()->getFirstDay()->weekDayName(), QStringLiteral("Monday"));
    EXPECT_EQ(days, QStringList(20, QStringLiteral("Math Art")));
    EXPECT_EQ(sheet->result(), QDialog::Accepted);
    EXPECT_TRUE(window->isVisible());
    // The built year moves straight into the planning window.
    EXPECT_NE(window->planningArea(), nullptr);
}

TEST_F(NewYearSheetTest, TheProposedFieldNamesCanBeChangedBeforeTheYearIsBuilt)
{
    fillFirstPage(0);
    auto* plan = child<QLineEdit>(QStringLiteral("fieldTitle0"));
    EXPECT_EQ(plan->text(), QStringLiteral("Plan"));
    EXPECT_EQ(child<QLineEdit>(QStringLiteral("fieldTitle1"))->text(), QStringLiteral("Homework"));
    EXPECT_TRUE(child<QCheckBox>(QStringLiteral("fieldShown1"))->isChecked());
    EXPECT_FALSE(child<QCheckBox>(QStringLiteral("fieldShown2"))->isChecked());
    plan->selectAll();
    QTest::keyClicks(plan, QStringLiteral("Objectives"));
    QTest::mouseClick(child<QCheckBox>(QStringLiteral("fieldShown2")), Qt::LeftButton);
    click(QStringLiteral("continue"));

    ASSERT_NE(year(), nullptr);
    EXPECT_EQ(year()->fieldTitle(QStringLiteral("lessonBody")), QStringLiteral("Objectives"));
    EXPECT_EQ(year()->visibleFields(), QStringList({ "lessonBody", "homework", "publicComment" }));
}

TEST_F(NewYearSheetTest, ValidationAlertsKeepTheSheetAndItsInputs)
{
    teach({ Monday });
    setDates(firstDay, firstDay.addDays(7));
    answerAlert(QStringLiteral("OK"));
    click(QStringLiteral("continue"));

    setDates(firstDay, firstDay.addDays(8));
    answerAlert(QStringLiteral("OK"));
    click(QStringLiteral("continue"));

    EXPECT_EQ(alerts, (QStringList { QStringLiteral("Date Range Too Short"), QStringLiteral("No Courses Entered") }));
    EXPECT_EQ(year(), nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(onSetupPage());
    EXPECT_EQ(child<QDateEdit>(QStringLiteral("endDate"))->date(), firstDay.addDays(8));
    EXPECT_TRUE(weekdayBox(Monday)->isChecked());
    EXPECT_FALSE(weekdayBox(Tuesday)->isChecked());
}

TEST_F(NewYearSheetTest, SchoolDaysStartTickedAndAYearWithoutAnyIsRefused)
{
    for (int weekday = Sunday; weekday <= Saturday; ++weekday)
        EXPECT_EQ(weekdayBox(weekday)->isChecked(), weekday != Sunday && weekday != Saturday) << weekday;

    fillFirstPage(0);
    teach({});
    answerAlert(QStringLiteral("OK"));
    click(QStringLiteral("continue"));
    EXPECT_EQ(alerts, QStringList { QStringLiteral("No Teaching Days") });
    EXPECT_EQ(year(), nullptr);
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(onSetupPage());
}

TEST_F(NewYearSheetTest, CourseListRefusesDuplicatesAndDeletesTheSelection)
{
    typeCourse(QStringLiteral("Math"));
    EXPECT_TRUE(child<QLineEdit>(QStringLiteral("courseName"))->text().isEmpty());
    typeCourse(QString());
    answerAlert(QStringLiteral("OK"));
    typeCourse(QStringLiteral("Math"));
    EXPECT_EQ(alerts, QStringList { QStringLiteral("Course already exists!") });
    // The refused name stays for the teacher to correct.
    EXPECT_EQ(child<QLineEdit>(QStringLiteral("courseName"))->text(), QStringLiteral("Math"));
    child<QLineEdit>(QStringLiteral("courseName"))->clear();
    typeCourse(QStringLiteral("math"));
    typeCourse(QStringLiteral("Art"));
    EXPECT_EQ(courseList(), (QStringList { QStringLiteral("Math"), QStringLiteral("math"), QStringLiteral("Art") }));

    click(QStringLiteral("deleteCourse"));
    EXPECT_EQ(courseList().size(), 3);
    child<QListWidget>(QStringLiteral("courseList"))->setCurrentRow(1);
    click(QStringLiteral("deleteCourse"));
    EXPECT_EQ(courseList(), (QStringList { QStringLiteral("Math"), QStringLiteral("Art") }));
    EXPECT_EQ(sheet->controller().courseNames(), courseList());
}

TEST_F(NewYearSheetTest, WeeklyYearMeetsOnTheTickedWeekdays)
{
    setDates(firstDay, lastDay);
    teach({ Monday, Wednesday, Friday });
    typeCourse(QStringLiteral("Math"));
    typeCourse(QStringLiteral("Art"));
    chooseSchedule(1);
    click(QStringLiteral("continue"));

    ASSERT_FALSE(onSetupPage());
    EXPECT_EQ(columnHeaders(),
        (QStringList { QStringLiteral("Monday"), QStringLiteral("Wednesday"), QStringLiteral("Friday") }));
    EXPECT_EQ(selectionTable()->rowCount(), 2);
    tick(0, 0);
    tick(0, 2);
    tick(1, 1);
    tick(1, 2);
    saveScreenshot(QStringLiteral("new-year-weekly-selection.png"));
    click(QStringLiteral("create"));

    ASSERT_NE(year(), nullptr);
    EXPECT_EQ(year()->typeOfSchedule(), 1);
    EXPECT_EQ(meetings().mid(0, 6),
        (QStringList { QStringLiteral("Math"), QStringLiteral("Art"), QStringLiteral("Math Art"),
            QStringLiteral("Math"), QStringLiteral("Art"), QStringLiteral("Math Art") }));
}

TEST_F(NewYearSheetTest, ABYearAlternatesTheTickedDays)
{
    fillFirstPage(2);
    click(QStringLiteral("continue"));
    EXPECT_EQ(columnHeaders(), (QStringList { QStringLiteral("A day"), QStringLiteral("B day") }));
    tick(0, 0);
    tick(1, 1);
    click(QStringLiteral("create"));

    ASSERT_NE(year(), nullptr);
    EXPECT_EQ(year()->repeatInterval(), 2);
    // Monday before the chosen Tuesday is cancelled; the rotation starts on
    // the Tuesday.
    EXPECT_EQ(meetings().mid(0, 6),
        (QStringList { QStringLiteral("-"), QStringLiteral("Math"), QStringLiteral("Art"), QStringLiteral("Math"),
            QStringLiteral("Art"), QStringLiteral("Math") }));
}

TEST_F(NewYearSheetTest, RotatingYearTakesItsLengthFromTheField)
{
    auto* length = child<QSpinBox>(QStringLiteral("rotationLength"));
    fillFirstPage(2);
    EXPECT_FALSE(length->isEnabled());
    chooseSchedule(3);
    ASSERT_TRUE(length->isEnabled());
    length->selectAll();
    QTest::keyClicks(length, QStringLiteral("3"));
    click(QStringLiteral("continue"));

    EXPECT_EQ(
        columnHeaders(), (QStringList { QStringLiteral("A day"), QStringLiteral("B day"), QStringLiteral("C day") }));
    tick(0, 0);
    tick(0, 2);
    tick(1, 1);
    saveScreenshot(QStringLiteral("new-year-rotating-selection.png"));
    click(QStringLiteral("create"));

    ASSERT_NE(year(), nullptr);
    EXPECT_EQ(year()->typeOfSchedule(), 2);
    EXPECT_EQ(year()->repeatInterval(), 3);
    EXPECT_EQ(meetings().mid(0, 7),
        (QStringList { QStringLiteral("-"), QStringLiteral("Math"), QStringLiteral("Art"), QStringLiteral("Math"),
            QStringLiteral("Math"), QStringLiteral("Art"), QStringLiteral("Math") }));
}

TEST_F(NewYearSheetTest, BackReturnsToTheInputsAndContinuingRebuildsTheTable)
{
    fillFirstPage(1);
    click(QStringLiteral("continue"));
    tick(0, 0);
    click(QStringLiteral("back"));
    ASSERT_TRUE(onSetupPage());
    EXPECT_EQ(courseList(), (QStringList { QStringLiteral("Math"), QStringLiteral("Art") }));

    teach({ Monday, Tuesday, Wednesday, Thursday });
    typeCourse(QStringLiteral("Music"));
    click(QStringLiteral("continue"));
    EXPECT_EQ(columnHeaders().size(), 4);
    EXPECT_EQ(selectionTable()->rowCount(), 3);
    EXPECT_FALSE(sheet->controller().courseSelection().isTicked(0, QStringLiteral("Monday")));
    EXPECT_EQ(year(), nullptr);
}

TEST_F(NewYearSheetTest, ClosingAsksOnlyOnceCoursesAreEntered)
{
    typeCourse(QStringLiteral("Math"));
    answerAlert(QStringLiteral("Cancel"));
    click(QStringLiteral("close"));
    EXPECT_EQ(alerts, QStringList { QStringLiteral("Really Close?") });
    EXPECT_TRUE(sheet->isVisible());
    EXPECT_TRUE(window->isVisible());

    answerAlert(QStringLiteral("Close"));
    QTest::keyClick(sheet, Qt::Key_Escape);
    EXPECT_EQ(alerts.size(), 2);
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
    EXPECT_EQ(sheet, nullptr);
}

TEST_F(NewYearSheetTest, ClosingWithoutCoursesClosesTheDocumentAtOnce)
{
    click(QStringLiteral("close"));
    EXPECT_TRUE(alerts.isEmpty());
    QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
    EXPECT_TRUE(window.isNull());
}

} // namespace
