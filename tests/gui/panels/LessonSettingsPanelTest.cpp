#include "gui/panels/LessonSettingsPanel.h"

#include "foundation/dates/DateFormatting.h"
#include "foundation/notify/NotificationCenter.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/SemestraRecords.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"

#include <QCheckBox>
#include <QComboBox>
#include <QLineEdit>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class LessonSettingsPanelTest : public ::testing::Test {
protected:
    LessonSettingsPanelTest()
    {
        year = buildSchoolYear(*context, { QStringLiteral("Math") });
        lesson = lessonOn(9);
        math = lesson->course();
        math->addUnitWithName(QStringLiteral("Unit 2"));
        math->addUnitWithName(QStringLiteral("Fractions"));
        panel.setLesson(lesson);
        panel.show();
    }

    Lesson* lessonOn(int september) const
    {
        return year->getExactDayWithDate(local(2026, 9, september, 12))->lessonsInOrder().first();
    }

    QStringList unitItems() const
    {
        QStringList items;
        for (int i = 0; i < panel.unitChooser()->count(); ++i)
            items.append(panel.unitChooser()->itemText(i));
        return items;
    }

    FixedClock clock { local(2026, 9, 9, 10) };
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    ScriptedAlertPresenter alerts;
    Year* year = nullptr;
    Lesson* lesson = nullptr;
    Course* math = nullptr;
    LessonSettingsPanel panel { alerts };
};

TEST_F(LessonSettingsPanelTest, TheTitleIsWrittenAsItIsTyped)
{
    QTest::keyClicks(panel.titleEdit(), QStringLiteral("Halves"));
    EXPECT_EQ(lesson->lessonTitle(), QStringLiteral("Halves"));
    panel.setLesson(lessonOn(10));
    EXPECT_TRUE(panel.titleEdit()->text().isEmpty());
}

TEST_F(LessonSettingsPanelTest, TheUnitIsChosenAmongTheCoursesUnitsOrMadeByName)
{
    EXPECT_EQ(unitItems(), QStringList({ "None", "Fractions", "Unit 2" }));
    EXPECT_EQ(panel.unitChooser()->currentIndex(), 0);
    int refreshes = 0;
    ObserverBag observers;
    observers.observe(QStringLiteral("SemestraRefreshCourseSourceList"), context.get(),
        [&refreshes](const Notification&) { ++refreshes; });

    panel.unitChooser()->setCurrentIndex(1);
    emit panel.unitChooser()->activated(1);
    ASSERT_NE(lesson->unit(), nullptr);
    EXPECT_EQ(lesson->unit()->unitName(), QStringLiteral("Fractions"));
    EXPECT_EQ(refreshes, 1);

    // A name the course has (in any case) is that unit; a new one is made.
    panel.unitChooser()->setEditText(QStringLiteral("unit 2"));
    emit panel.unitChooser()->lineEdit()->returnPressed();
    EXPECT_EQ(lesson->unit()->unitName(), QStringLiteral("Unit 2"));
    EXPECT_EQ(math->units().size(), 2);
    panel.unitChooser()->setEditText(QStringLiteral("Decimals"));
    emit panel.unitChooser()->lineEdit()->returnPressed();
    EXPECT_EQ(lesson->unit()->unitName(), QStringLiteral("Decimals"));
    EXPECT_EQ(math->units().size(), 3);
    EXPECT_EQ(panel.unitChooser()->currentText(), QStringLiteral("Decimals"));

    panel.unitChooser()->setCurrentIndex(0);
    emit panel.unitChooser()->activated(0);
    EXPECT_EQ(lesson->unit(), nullptr);
}

TEST_F(LessonSettingsPanelTest, TheLockAnchorsTheLessonAndRedrawsIt)
{
    int redraws = 0;
    ObserverBag observers;
    observers.observe(ModelNotifications::lessonDisplayTextChanged, context.get(), [&](const Notification& note) {
        if (note.object == static_cast<NotificationSource*>(lesson))
            ++redraws;
    });
    panel.lockBox()->click();
    EXPECT_TRUE(lesson->isAnchored());
    EXPECT_EQ(redraws, 1);
    panel.lockBox()->click();
    EXPECT_FALSE(lesson->isAnchored());
}

TEST_F(LessonSettingsPanelTest, ANewTimeAsksWhetherItIsForThisLessonOnly)
{
    alerts.answerNext(AlertDefaultReturn);
    panel.startTimeEdit()->setText(QStringLiteral("9:15 AM"));
    emit panel.startTimeEdit()->editingFinished();
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Adjust This Lesson Only?"));
    ASSERT_TRUE(lesson->startTime());
    EXPECT_EQ(*lesson->startTime(), local(2026, 9, 9, 9, 15));
    EXPECT_EQ(panel.startTimeEdit()->text(), DateFormatting::formatShortTime(*lesson->startTime()));
    EXPECT_FALSE(lessonOn(10)->startTime());

    // Text that is no time changes nothing and asks nothing.
    panel.endTimeEdit()->setText(QStringLiteral("soon"));
    emit panel.endTimeEdit()->editingFinished();
    EXPECT_EQ(alerts.shown().size(), 1);
    EXPECT_FALSE(lesson->endTime());
    EXPECT_TRUE(panel.endTimeEdit()->text().isEmpty());
}

TEST_F(LessonSettingsPanelTest, WithoutALessonThePanelIsDisabled)
{
    panel.setLesson(nullptr);
    EXPECT_FALSE(panel.isEnabled());
    EXPECT_EQ(unitItems(), QStringList({ "None" }));
}

} // namespace
