#include "ReportFixture.h"
#include "planning/DisplayPreferences.h"
#include "report/DayReportText.h"

class DayReportTextTest : public ReportFixture { };

TEST_F(DayReportTextTest, HeadingIsTheLongDateBoldTwoPointsUpThenAnEmptyLine)
{
    const auto text = DayReportText::attributedStringForReport(*days[0]);
    const QStringList shown = lines(*text);
    EXPECT_EQ(shown[0], days[0]->mediumLongDateString());
    EXPECT_EQ(shown[1], QString());
    const QTextCharFormat heading = formatAt(*text, days[0]->mediumLongDateString());
    EXPECT_TRUE(heading.font().bold());
    EXPECT_DOUBLE_EQ(heading.font().pointSizeF(), settings->baseFontSize() + 2);
}

TEST_F(DayReportTextTest, OnlyLessonsWithContentAppearSetInUnderTheHeading)
{
    fill(artLessons[0], QStringLiteral("Clay"));
    const auto text = DayReportText::attributedStringForReport(*days[0]);
    EXPECT_TRUE(text->toPlainText().contains(QStringLiteral("Clay")));
    EXPECT_FALSE(text->find(QStringLiteral("Math")).hasSelection());
    EXPECT_DOUBLE_EQ(blockWith(*text, QStringLiteral("Art")).blockFormat().textIndent(), 10);
    const QTextBlockFormat body = blockWith(*text, QStringLiteral("Clay")).blockFormat();
    EXPECT_DOUBLE_EQ(body.leftMargin(), 25);
    EXPECT_DOUBLE_EQ(body.leftMargin() + body.textIndent(), 20);
    EXPECT_TRUE(text->toPlainText().endsWith(QStringLiteral("\n\n")));
}

TEST_F(DayReportTextTest, NotesAppearOnlyWhenTheNotesAreShown)
{
    days[0]->setValue(u"notes", QStringLiteral("fire drill at 10"));
    preferences.preferences().setValue(DisplayPreferences::showNotesView, true);
    EXPECT_TRUE(DayReportText::attributedStringForReport(*days[0])
                    ->toPlainText()
                    .contains(QStringLiteral("\n  Notes: fire drill at 10")));
    preferences.preferences().setValue(DisplayPreferences::showNotesView, false);
    EXPECT_FALSE(DayReportText::attributedStringForReport(*days[0])->toPlainText().contains(QStringLiteral("fire drill")));
}

TEST_F(DayReportTextTest, NonSchoolDayShowsItsTitleUnderTheHeading)
{
    days[2]->setValue(u"isHoliday", true);
    days[2]->setValue(u"holidayName", QStringLiteral("Snow Day"));
    QStringList shown = lines(*DayReportText::attributedStringForReport(*days[2]));
    EXPECT_EQ(shown[2], QStringLiteral("  Snow Day"));
    days[2]->setValue(u"holidayName", QString());
    shown = lines(*DayReportText::attributedStringForReport(*days[2]));
    EXPECT_EQ(shown[2], QStringLiteral("  %1").arg(days[2]->holidayTitle()));
    EXPECT_FALSE(days[2]->holidayTitle().isEmpty());
}

TEST_F(DayReportTextTest, LessonsInArrayKeepTheDaysOrderAndLeaveOthersOut)
{
    fill(lessons[0], QStringLiteral("Sums"));
    fill(artLessons[0], QStringLiteral("Clay"));
    auto* second = b.lesson(b.course(QStringLiteral("Latin")), days[0], 11);
    second->setValue(u"lessonTitle", QStringLiteral("Verbs"));
    const QString text
        = DayReportText::attributedStringForLessonsInArray(*days[0], { second, lessons[0] })->toPlainText();
    EXPECT_TRUE(text.startsWith(days[0]->mediumLongDateString()));
    EXPECT_LT(text.indexOf(QStringLiteral("Sums")), text.indexOf(QStringLiteral("Verbs")));
    EXPECT_EQ(text.indexOf(QStringLiteral("Clay")), -1);
}
