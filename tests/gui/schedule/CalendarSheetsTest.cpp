#include "gui/panels/DaySettingsPanel.h"
#include "gui/panels/NonSchoolSettingsPanel.h"
#include "gui/schedule/AddCourseToSingleDaySheet.h"
#include "gui/schedule/CustomDaySheet.h"
#include "gui/schedule/ExtendHolidaySheet.h"
#include "gui/schedule/MakeNonSchoolDaySheet.h"
#include "gui/schedule/RestartRotationSheet.h"
#include "model/Day.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "schedule/CreateNewSemestraController.h"
#include "store/ObjectContext.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDateEdit>
#include <QDir>
#include <QGroupBox>
#include <QLineEdit>
#include <QListWidget>
#include <QPushButton>
#include <QRadioButton>
#include <QTabWidget>
#include <QTest>

#include <gtest/gtest.h>

namespace {

// The sheets and day panels of calendar changes over a rotating year of
// three weeks (Math every day, Art on A days, Music on B and C days). Each
// test also writes a picture for a person to look at.
class CalendarSheetsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ScriptedAlertPresenter wizardAlerts;
        CreateNewSemestraController wizard(*context, wizardAlerts);
        wizard.setStartDate(local(2026, 10, 19));
        wizard.setEndDate(local(2026, 11, 6));
        for (int weekday = 1; weekday <= 5; ++weekday)
            wizard.setTeachingDay(weekday, true);
        for (const char* name : { "Math", "Art", "Music" })
            wizard.addCourse(QString::fromLatin1(name));
        wizard.setSchedule(NewYearPlan::Schedule::Rotating);
        wizard.setRotationLength(3);
        ASSERT_EQ(wizard.continuePressed(), CreateNewSemestraController::Outcome::ShowCourseSelection);
        for (const char* type : { "0", "1", "2" })
            wizard.courseSelection().setTicked(0, QString::fromLatin1(type), true);
        wizard.courseSelection().setTicked(1, QStringLiteral("0"), true);
        wizard.courseSelection().setTicked(2, QStringLiteral("1"), true);
        wizard.courseSelection().setTicked(2, QStringLiteral("2"), true);
        ASSERT_EQ(wizard.createPressed(), CreateNewSemestraController::Outcome::YearBuilt);
        year = wizard.year();
        window.resize(900, 600);
    }

    Day& dayOn(int month, int day) const { return *year->getExactDayWithDate(local(2026, month, day)); }

    static void save(QWidget& widget, const QString& name)
    {
        widget.show();
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2026, 10, 20, 9) };
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    ScriptedAlertPresenter alerts;
    QWidget window;
    Year* year = nullptr;
};

TEST_F(CalendarSheetsTest, NonSchoolDaySheetAsksAboutLessonsOnlyForACancelledDay)
{
    Day& day = dayOn(10, 21);
    MakeNonSchoolDayController controller(alerts);
    ASSERT_EQ(controller.makeNonSchoolDay(day), MakeNonSchoolDayController::Outcome::ShowSheet);
    MakeNonSchoolDaySheet sheet(controller, &window);
    sheet.load();
    const QList<QRadioButton*> radios = sheet.findChildren<QRadioButton*>();
    ASSERT_EQ(radios.size(), 4);
    QGroupBox* lessons = sheet.findChildren<QGroupBox*>().last();
    save(sheet, QStringLiteral("make-non-school-day-holiday.png"));
    EXPECT_FALSE(lessons->isVisible());

    radios[1]->click();
    EXPECT_TRUE(lessons->isVisible());
    save(sheet, QStringLiteral("make-non-school-day-cancelled.png"));
    sheet.reject();
    EXPECT_FALSE(day.isNonSchoolDay());

    controller.makeNonSchoolDay(day);
    sheet.load();
    radios[1]->click();
    radios[3]->click();
    sheet.accept();
    EXPECT_TRUE(day.isCancelled());
}

TEST_F(CalendarSheetsTest, AddCourseSheetEnablesAddOnlyOnceACourseIsChosen)
{
    Day& day = dayOn(10, 22);
    AddCourseToSingleDayController controller;
    controller.setDay(&day);
    AddCourseToSingleDaySheet sheet(controller, &window);
    EXPECT_FALSE(sheet.addButton()->isEnabled());
    save(sheet, QStringLiteral("add-course-to-day.png"));
    sheet.coursePopUp()->setCurrentIndex(sheet.coursePopUp()->findText(QStringLiteral("Art")));
    EXPECT_TRUE(sheet.addButton()->isEnabled());
    const qsizetype before = day.lessons().size();
    sheet.addButton()->click();
    EXPECT_EQ(day.lessons().size(), before + 1);
    EXPECT_TRUE(day.isCustomDay());
}

TEST_F(CalendarSheetsTest, CustomDaySheetCreatesOnlyWithAChosenExistingDayOnItsSecondTab)
{
    CustomDayController controller(alerts);
    controller.showFor(&dayOn(10, 19));
    controller.setName(QStringLiteral("Assembly"));
    controller.setCourseMarked(0, true);
    ASSERT_EQ(controller.createCustomPressed(), CustomDayController::Outcome::Closed);

    controller.showFor(&dayOn(10, 23));
    CustomDaySheet sheet(controller, &window);
    sheet.courseList()->item(1)->setCheckState(Qt::Checked);
    save(sheet, QStringLiteral("custom-day-new.png"));
    sheet.tabs()->setCurrentIndex(CustomDayController::ExistingCustomDay);
    EXPECT_FALSE(sheet.createButton()->isEnabled());
    ASSERT_EQ(sheet.customDayList()->count(), 1);
    EXPECT_EQ(sheet.customDayList()->item(0)->text(), QStringLiteral("Assembly on ") + dayOn(10, 19).mediumDateString());
    sheet.customDayList()->setCurrentRow(0);
    EXPECT_TRUE(sheet.createButton()->isEnabled());
    save(sheet, QStringLiteral("custom-day-existing.png"));
    sheet.createButton()->click();
    EXPECT_EQ(dayOn(10, 23).holidayName(), QStringLiteral("Assembly"));
}

TEST_F(CalendarSheetsTest, ExtendSheetOffersTheDaysFromTheDayToTheYearsEnd)
{
    Day& day = dayOn(10, 30);
    MakeNonSchoolDayController::apply(
        day, MakeNonSchoolDayController::Kind::Cancelled, MakeNonSchoolDayController::ExistingLessons::Delete);
    ExtendHolidayController controller(alerts);
    controller.setDay(&day);
    ExtendHolidaySheet sheet(controller, &window);
    auto* date = sheet.findChild<QDateEdit*>();
    EXPECT_EQ(date->date(), QDate(2026, 10, 31));
    EXPECT_EQ(date->minimumDate(), QDate(2026, 10, 30));
    save(sheet, QStringLiteral("extend-non-school-day.png"));
    date->setDate(QDate(2026, 11, 3));
    alerts.answerNext(AlertOtherReturn);
    sheet.accept();
    EXPECT_TRUE(dayOn(11, 2).isCancelled());
    EXPECT_TRUE(dayOn(11, 3).isCancelled());
    EXPECT_FALSE(dayOn(11, 4).isNonSchoolDay());
}

TEST_F(CalendarSheetsTest, RestartRotationSheetListsTheDayTypes)
{
    RestartRotationController controller(alerts);
    controller.setDay(&dayOn(10, 27));
    RestartRotationSheet sheet(controller, &window);
    auto* types = sheet.findChild<QComboBox*>();
    EXPECT_EQ(types->count(), 3);
    EXPECT_EQ(types->itemText(1), QStringLiteral("B Day"));
    save(sheet, QStringLiteral("restart-rotation.png"));
    types->setCurrentIndex(1);
    alerts.answerNext(AlertDefaultReturn);
    sheet.accept();
    EXPECT_EQ(dayOn(10, 27).typeOfDay(), 1);
}

TEST_F(CalendarSheetsTest, DayPanelsOfferTheirDaysCommands)
{
    Day& holiday = dayOn(10, 21);
    MakeNonSchoolDayController::apply(
        holiday, MakeNonSchoolDayController::Kind::Holiday, MakeNonSchoolDayController::ExistingLessons::Bump);
    NonSchoolSettingsPanel nonSchool;
    nonSchool.setDay(&holiday);
    nonSchool.resize(300, 260);
    EXPECT_EQ(nonSchool.nameField()->text(), QStringLiteral("Holiday"));
    QTest::keyClicks(nonSchool.nameField(), QStringLiteral(" Fair"));
    EXPECT_EQ(holiday.holidayName(), QStringLiteral("Holiday Fair"));
    save(nonSchool, QStringLiteral("panel-non-school-day.png"));
    Day* restored = nullptr;
    QObject::connect(&nonSchool, &NonSchoolSettingsPanel::restoreRequested, [&](Day* day) { restored = day; });
    nonSchool.restoreButton()->click();
    EXPECT_EQ(restored, &holiday);

    DaySettingsPanel dayTools(DaySettingsPanel::Kind::WithLessons);
    dayTools.setDay(&dayOn(10, 22));
    dayTools.resize(300, 220);
    save(dayTools, QStringLiteral("panel-day-settings.png"));
    EXPECT_TRUE(dayTools.restartRotationButton()->isVisible());

    Day& empty = dayOn(10, 23);
    empty.removeAllLessons();
    DaySettingsPanel noLessons(DaySettingsPanel::Kind::WithoutLessons);
    noLessons.setDay(&empty);
    noLessons.resize(300, 220);
    save(noLessons, QStringLiteral("panel-no-lessons.png"));
    EXPECT_FALSE(noLessons.restartRotationButton()->isVisible());
}

} // namespace
