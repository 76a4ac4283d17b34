#include "gui/panels/SidePanel.h"

#include "foundation/notify/NotificationCenter.h"
#include "foundation/richtext/RichText.h"
#include "gui/editing/FieldEditor.h"
#include "gui/editing/FieldEditorColumn.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/DaySettingsPanel.h"
#include "gui/panels/LessonEditorPanel.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/ModelNotifications.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "planning/PlanningNotifications.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"

#include <QLabel>
#include <QLineEdit>
#include <QTabBar>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class SidePanelTest : public ::testing::Test {
protected:
    SidePanelTest()
    {
        year = buildSchoolYear(*context, { QStringLiteral("Math"), QStringLiteral("Art") });
        year->setValue(u"homeworkEnlarged", true);
        panel.setYear(year);
        panel.show();
        day = year->getExactDayWithDate(local(2026, 9, 9, 12));
        lesson = day->lessonsInOrder().first();
    }

    Lesson* mathOn(int september) const
    {
        return year->getExactDayWithDate(local(2026, 9, september, 12))->lessonsInOrder().first();
    }

    FieldEditor* fieldEditor(const QString& key) const
    {
        FieldEditor* standard = panel.editor()->standardFields()->editor(key);
        return standard ? standard : panel.editor()->customFields()->editor(key);
    }

    FixedClock clock { local(2026, 9, 9, 10) };
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    ScriptedAlertPresenter alerts;
    Year* year = nullptr;
    Day* day = nullptr;
    Lesson* lesson = nullptr;
    SidePanel panel { alerts };
};

TEST_F(SidePanelTest, TheEditorHoldsTheStandardAndCustomFieldsInTheirSegments)
{
    panel.showLessonEditor(lesson);
    EXPECT_EQ(panel.heading(), lesson->dateAndCourseNameString());
    QStringList standard;
    for (const FieldEditor* editor : panel.editor()->standardFields()->editors())
        standard.append(editor->textKey());
    EXPECT_EQ(standard, QStringList({ "lessonBody", "homework", "publicComment" }));
    QStringList custom;
    for (const FieldEditor* editor : panel.editor()->customFields()->editors())
        custom.append(editor->textKey());
    EXPECT_EQ(custom, QStringList({ "custom1", "custom2", "custom3" }));
    EXPECT_EQ(panel.editor()->segments()->count(), 4);
    panel.editor()->showSegment(LessonEditorPanel::Standards);
    EXPECT_EQ(panel.editor()->segment(), LessonEditorPanel::Standards);
}

TEST_F(SidePanelTest, TypingInTheSidePanelWritesTheShownLessonOnly)
{
    panel.showLessonEditor(lesson);
    QTest::keyClicks(fieldEditor(QStringLiteral("homework"))->textArea(), QStringLiteral("Worksheet"));
    EXPECT_EQ(lesson->value<QString>(u"homeworkString"), QStringLiteral("Worksheet"));

    panel.showLessonEditor(mathOn(10));
    EXPECT_TRUE(fieldEditor(QStringLiteral("homework"))->textArea()->toPlainText().isEmpty());
    // The settings state leaves no editor bound to the lesson.
    panel.showLessonSettings(lesson);
    EXPECT_EQ(fieldEditor(QStringLiteral("homework"))->lesson(), nullptr);
    EXPECT_EQ(panel.settings()->lesson(), lesson);
}

TEST_F(SidePanelTest, TheHeadingFollowsARenamedCourse)
{
    panel.showLessonEditor(lesson);
    lesson->course()->setValue(u"courseName", QStringLiteral("Algebra"));
    NotificationCenter::defaultCenter().post(ModelNotifications::courseNameChanged, lesson->course());
    EXPECT_TRUE(panel.heading().contains(QStringLiteral("Algebra")));
}

TEST_F(SidePanelTest, DayStatesDescribeTheirDay)
{
    day->setValue(QStringLiteral("isHoliday"), true);
    day->setValue(QStringLiteral("holidayName"), QStringLiteral("  Founders' Day "));
    panel.showNonSchoolSettings(day);
    EXPECT_EQ(panel.state(), SidePanel::State::NonSchoolSettings);
    EXPECT_EQ(panel.heading(), day->longDateString());
    EXPECT_EQ(panel.bodyText(), QStringLiteral("Kind: Holiday\nName: Founders' Day\n"));

    panel.showNoLessonsSettings(day);
    EXPECT_EQ(panel.bodyText(), QStringLiteral("No lessons meet on this day."));
}

// The day's tools below the text have a title of their own, which must not say it again.
TEST_F(SidePanelTest, ADayWithoutLessonsSaysSoOnce)
{
    const QString noLessons = QStringLiteral("No lessons meet on this day.");
    panel.showNoLessonsSettings(day);
    ASSERT_TRUE(panel.noLessonsTools()->isVisibleTo(&panel));
    int said = panel.bodyText().count(noLessons);
    for (const QLabel* label : panel.findChildren<QLabel*>())
        said += label->isVisibleTo(&panel) ? label->text().count(noLessons) : 0;
    EXPECT_EQ(said, 1);
}

} // namespace
