#include "report/LessonReportText.h"

#include "ReportFixture.h"
#include "foundation/richtext/RichText.h"
#include "planning/DisplayPreferences.h"
#include "report/ReportTextBuilder.h"

#include <QTextBlock>

class LessonReportTextTest : public ReportFixture {
protected:
    std::unique_ptr<QTextDocument> report(const Lesson* lesson) const
    {
        return LessonReportText::attributedStringForReport(*lesson);
    }
    double base() const { return settings->baseFontSize(); }
    static QTextBlock blockWith(const QTextDocument& text, const QString& words)
    {
        for (QTextBlock block = text.begin(); block.isValid(); block = block.next()) {
            if (block.text().contains(words))
                return block;
        }
        return {};
    }
};

TEST_F(LessonReportTextTest, CourseLineIsBoldUnderlinedAndTitleNamesItsUnit)
{
    unitOf({ 0 }, QStringLiteral("Numbers"));
    const auto text = report(lessons[0]);
    const QStringList shown = lines(*text);
    EXPECT_EQ(shown[0], QStringLiteral("Math"));
    EXPECT_EQ(shown[1], QStringLiteral("U0 - (Unit: Numbers)"));
    const QTextCharFormat course = formatAt(*text, QStringLiteral("Math"));
    EXPECT_TRUE(course.font().bold());
    EXPECT_TRUE(course.fontUnderline());
    EXPECT_DOUBLE_EQ(course.font().pointSizeF(), base() + 1);
    EXPECT_FALSE(formatAt(*text, QStringLiteral("U0")).font().bold());
    EXPECT_DOUBLE_EQ(blockWith(*text, QStringLiteral("Math")).blockFormat().textIndent(), 2);
}

TEST_F(LessonReportTextTest, LessonWithoutCourseBeginsWithAnEmptyLine)
{
    fill(lessons[0], QStringLiteral("Orphan"));
    lessons[0]->setObject(u"course", nullptr);
    EXPECT_EQ(lines(*report(lessons[0])).mid(0, 2), QStringList({ QString(), QStringLiteral("Orphan") }));
}

TEST_F(LessonReportTextTest, NothingShownLeavesCourseLineAndTwoBreaks)
{
    fill(lessons[0], QString());
    lessons[0]->setObject(u"unit", math->addUnitWithName(QStringLiteral("Numbers")));
    showOnly({});
    EXPECT_EQ(report(lessons[0])->toPlainText(), QStringLiteral("Math\n\n"));
}

TEST_F(LessonReportTextTest, FieldsFollowTheirOrderUnderLabelsAndOnlyWhenShown)
{
    lessons[0]->setValue(u"custom2", RichText::fromPlainText(QStringLiteral("second custom")));
    lessons[0]->setValue(u"lessonBody", RichText::fromPlainText(QStringLiteral("the body")));
    fill(lessons[0], QStringLiteral("T"));
    QStringList shown = lines(*report(lessons[0]));
    const auto place = [&shown](const char* line) { return shown.indexOf(QString::fromLatin1(line)); };
    EXPECT_LT(place("LESSONBODY"), place("the body"));
    EXPECT_LT(place("the body"), place("HOMEWORK"));
    EXPECT_LT(place("HOMEWORK"), place("CUSTOM2"));
    EXPECT_EQ(place("CUSTOM1"), -1);

    showOnly({ QStringLiteral("showCustom2") });
    shown = lines(*report(lessons[0]));
    EXPECT_EQ(place("LESSONBODY"), -1);
    EXPECT_EQ(place("HOMEWORK"), -1);
    EXPECT_EQ(place("CUSTOM2"), 2);
}

TEST_F(LessonReportTextTest, OnlyFieldShownHasNoBreakBeforeItAndItsLabelIsBold)
{
    fill(lessons[0], QStringLiteral("T"));
    showOnly({ QStringLiteral("showHomework") });
    const auto text = report(lessons[0]);
    EXPECT_EQ(lines(*text).mid(0, 4),
        QStringList({ QStringLiteral("Math"), QStringLiteral("T"), QStringLiteral("HOMEWORK"),
            QStringLiteral("T homework") }));
    EXPECT_TRUE(formatAt(*text, QStringLiteral("HOMEWORK")).font().bold());
    EXPECT_FALSE(formatAt(*text, QStringLiteral("T homework")).font().bold());
}

TEST_F(LessonReportTextTest, TrailingSpacesOfAFieldAreDropped)
{
    lessons[0]->setValue(u"homework", RichText::fromPlainText(QStringLiteral("read   ")));
    const auto field = LessonReportText::attributedStringForKey(
        *lessons[0], QStringLiteral("homework"), LessonReportText::Prefix::None, nullptr, 12);
    EXPECT_FALSE(field->toPlainText().endsWith(QLatin1Char(' ')));
    EXPECT_TRUE(field->toPlainText().startsWith(QStringLiteral("read")));
}

TEST_F(LessonReportTextTest, GivenAssignmentsAreNumberedInDueOrderWithDetails)
{
    assign(QStringLiteral("Late"), lessons[0], lessons[4]);
    assign(QStringLiteral("Soon"), lessons[0], lessons[1], QStringLiteral("pages 3-4"));
    assign(QStringLiteral("Middle"), lessons[0], lessons[2]);
    const QStringList shown = lines(*report(lessons[0]));
    const qsizetype heading = shown.indexOf(QStringLiteral("Assigned: "));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(shown.mid(heading + 1, 3),
        QStringList({ QStringLiteral("\t1) Soon due on %1: pages 3-4").arg(days[1]->mediumDateString()),
            QStringLiteral("\t2) Middle due on %1").arg(days[2]->mediumDateString()),
            QStringLiteral("\t3) Late due on %1").arg(days[4]->mediumDateString()) }));
}

TEST_F(LessonReportTextTest, DueAssignmentsNameTheDayTheyWereGivenAndHideWithTags)
{
    assign(QStringLiteral("Essay"), lessons[3], lessons[5]);
    assign(QStringLiteral("Quiz prep"), lessons[1], lessons[5]);
    QStringList shown = lines(*report(lessons[5]));
    const qsizetype heading = shown.indexOf(QStringLiteral("Due: "));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(shown[heading + 1], QStringLiteral("\t1) Quiz prep assigned on %1").arg(days[1]->mediumDateString()));
    EXPECT_EQ(shown[heading + 2], QStringLiteral("\t2) Essay assigned on %1").arg(days[3]->mediumDateString()));
    EXPECT_EQ(shown.indexOf(QStringLiteral("Assigned: ")), -1);

    settings->setValue(u"showTags", false);
    shown = lines(*report(lessons[5]));
    EXPECT_EQ(shown.indexOf(QStringLiteral("Due: ")), -1);
}

TEST_F(LessonReportTextTest, AttachmentsAreSortedByNameWithPathAndNotes)
{
    attachFile(lessons[0], QStringLiteral("Zeta"), QStringLiteral("/home/t/sheets/zeta.pdf"), QStringLiteral("print 30"));
    attachFile(lessons[0], QStringLiteral("Bare"), QString());
    auto* web = insert<AttachedWebLink>("AttachedWebLink");
    web->setValue(u"name", QStringLiteral("Alpha"));
    web->setValue(u"URL", QStringLiteral("https://example.org/a"));
    web->setObject(u"lesson", lessons[0]);
    QStringList shown = lines(*report(lessons[0]));
    const qsizetype heading = shown.indexOf(QStringLiteral("Attachments:"));
    ASSERT_GE(heading, 1);
    EXPECT_EQ(shown[heading - 1], QString()) << "the heading starts with a line break";
    EXPECT_EQ(shown.mid(heading + 1, 3),
        QStringList({ QStringLiteral("\t(File) Bare"), QStringLiteral("\t(File) Zeta -- (pdf) - zeta.pdf: print 30"),
            QStringLiteral("\t(Web) Alpha - https://example.org/a") }));

    settings->setValue(u"showAttachments", false);
    shown = lines(*report(lessons[0]));
    EXPECT_EQ(shown.indexOf(QStringLiteral("Attachments:")), -1);
}

TEST_F(LessonReportTextTest, StandardsComeInShortNameThenTextOrderWithNotesInTheirParagraph)
{
    link(lessons[0], standard(QStringLiteral("B.2"), QStringLiteral("later")));
    link(lessons[0], standard(QStringLiteral("A.1"), QStringLiteral("zebra")), QStringLiteral("in pairs"));
    link(lessons[0], standard(QStringLiteral("A.1"), QStringLiteral("apple")));
    link(lessons[0], standard(QString(), QStringLiteral("no short name")));
    const auto text = report(lessons[0]);
    const QStringList shown = lines(*text);
    const qsizetype heading = shown.indexOf(QStringLiteral("Standards:"));
    ASSERT_GE(heading, 0);
    EXPECT_EQ(shown.mid(heading + 1, 5),
        QStringList({ QStringLiteral("no short name"), QStringLiteral("A.1: apple"), QStringLiteral("A.1: zebra"),
            QStringLiteral("Notes: in pairs"), QStringLiteral("B.2: later") }));
    EXPECT_EQ(blockWith(*text, QStringLiteral("zebra")).text(),
        QStringLiteral("A.1: zebra") + QChar(QChar::LineSeparator) + QStringLiteral("Notes: in pairs"));
    EXPECT_TRUE(formatAt(*text, QStringLiteral("Notes:")).font().bold());
    EXPECT_FALSE(formatAt(*text, QStringLiteral(" in pairs")).font().bold());
    EXPECT_TRUE(formatAt(*text, QStringLiteral("B.2: ")).font().bold());
    EXPECT_DOUBLE_EQ(blockWith(*text, QStringLiteral("later")).blockFormat().leftMargin(), 5);
}

TEST_F(LessonReportTextTest, StandardsHideWhenSwitchedOff)
{
    link(lessons[0], standard(QStringLiteral("A.1"), QStringLiteral("apple")));
    settings->setValue(u"showStandards", false);
    EXPECT_EQ(lines(*report(lessons[0])).indexOf(QStringLiteral("Standards:")), -1);
}

// Bulleted lists come from RTF as paragraphs that begin with their bullet:
// they keep the bullet and sit at the body's indent like any paragraph.
TEST_F(LessonReportTextTest, ABulletedListKeepsItsBulletsAtTheBodyIndent)
{
    lessons[0]->setValue(u"lessonBody",
        QByteArray("{\\rtf1\\ansi\\ansicpg1252{\\fonttbl\\f0\\fswiss Helvetica;}\\pard Intro\\par "
                   "{\\listtext\\tab \\uc0\\u8226 \\tab}First\\par "
                   "{\\listtext\\tab \\uc0\\u8226 \\tab}Second\\par}"));
    const auto text = report(lessons[0]);
    const QTextBlock intro = blockWith(*text, QStringLiteral("Intro"));
    const QTextBlock second = blockWith(*text, QStringLiteral("Second"));
    ASSERT_TRUE(intro.isValid());
    ASSERT_TRUE(second.isValid());
    EXPECT_TRUE(second.text().contains(QChar(0x2022)));
    EXPECT_DOUBLE_EQ(second.blockFormat().leftMargin(), intro.blockFormat().leftMargin());
    EXPECT_DOUBLE_EQ(second.blockFormat().textIndent(), intro.blockFormat().textIndent());
}

// The field title is put before the field's first paragraph, which keeps
// its own alignment like every other paragraph of the field.
TEST_F(LessonReportTextTest, EveryParagraphOfAFieldKeepsItsAlignment)
{
    lessons[0]->setValue(u"lessonBody",
        QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}\\pard\\qc Centred\\par "
                   "\\pard\\qr Right\\par}"));
    const auto text = report(lessons[0]);
    EXPECT_EQ(blockWith(*text, QStringLiteral("Centred")).blockFormat().alignment(), Qt::AlignHCenter);
    EXPECT_EQ(blockWith(*text, QStringLiteral("Right")).blockFormat().alignment(), Qt::AlignRight);
    EXPECT_NE(
        blockWith(*text, year()->fieldTitle(QStringLiteral("lessonBody"))).blockFormat().alignment(), Qt::AlignHCenter);
}

TEST_F(LessonReportTextTest, WeeklyFieldsTakeTheBodyFontAndParagraphButKeepColour)
{
    auto field = ReportFonts::newDocument();
    QTextCursor cursor(field.get());
    QTextCharFormat red;
    red.setForeground(Qt::red);
    red.setFontPointSize(30);
    QTextBlockFormat centred;
    centred.setAlignment(Qt::AlignHCenter);
    cursor.setBlockFormat(centred);
    cursor.insertText(QStringLiteral("loud"), red);
    ReportRun body;
    body.characters.setFont(ReportFonts::font(9));
    body.paragraph.setLeftMargin(5);
    LessonReportText::restyle(*field, body, LessonReportText::Layout::Weekly);
    const QTextCharFormat format = formatAt(*field, QStringLiteral("loud"));
    EXPECT_DOUBLE_EQ(format.font().pointSizeF(), 9);
    EXPECT_EQ(format.foreground().color(), QColor(Qt::red));
    EXPECT_EQ(field->begin().blockFormat().alignment(), Qt::AlignLeft);
    EXPECT_DOUBLE_EQ(field->begin().blockFormat().leftMargin(), 5);
}

TEST_F(LessonReportTextTest, YearWithoutSettingsGetsThemWithReadableSizes)
{
    auto other = SemestraRecords::newContext();
    ScheduleBuilder fresh { *other, 2026, 3, 1, 1 };
    Lesson* lesson = fresh.lesson(fresh.course(QStringLiteral("Art")), fresh.day(1), 9);
    ASSERT_EQ(fresh.year()->object(u"lessonReportInformation"), nullptr);
    const LessonReportInformation* created = LessonReportText::reportInfo(*lesson);
    ASSERT_NE(created, nullptr);
    EXPECT_EQ(fresh.year()->object(u"lessonReportInformation"), created);
    EXPECT_GT(created->baseFontSize(), 0);
    EXPECT_GT(created->weeklyReportBaseFontSize(), 0);
    EXPECT_EQ(created->startDateForDaily(), fresh.year()->startDate());
    const auto text = LessonReportText::attributedStringForReport(*lesson);
    EXPECT_DOUBLE_EQ(formatAt(*text, QStringLiteral("Art")).font().pointSizeF(), created->baseFontSize() + 1);
}

TEST_F(LessonReportTextTest, MeetingTimesFollowTheCourseWhenPreferred)
{
    preferences.preferences().setValue(DisplayPreferences::alwaysShowLessonTimes, true);
    EXPECT_EQ(lines(*report(lessons[0]))[0], QStringLiteral("Math:  (%1)").arg(lessons[0]->timeString()));
    preferences.preferences().setValue(DisplayPreferences::alwaysShowLessonTimes, false);
    EXPECT_EQ(lines(*report(lessons[0]))[0], QStringLiteral("Math"));
}

TEST_F(LessonReportTextTest, HtmlFragmentIsEmptyForAnEmptyFieldAndEscapedOtherwise)
{
    lessons[0]->setValue(u"homework", RichText::fromPlainText(QString()));
    EXPECT_EQ(LessonReportText::RTFStringFromAttributedString(*lessons[0], QStringLiteral("homework")), QString());
    lessons[0]->setValue(u"homework", RichText::fromPlainText(QStringLiteral("a < b")));
    const QString html = LessonReportText::RTFStringFromAttributedString(*lessons[0], QStringLiteral("homework"),
        [](const QString& text) { return QStringLiteral("[%1]").arg(text); });
    EXPECT_TRUE(html.startsWith(QLatin1Char('[')));
    EXPECT_TRUE(html.contains(QStringLiteral("a &lt; b")));
    EXPECT_FALSE(html.contains(QStringLiteral("<span"), Qt::CaseInsensitive));
}

TEST_F(LessonReportTextTest, FieldWithoutALabelIsHeadedByItsKey)
{
    year()->setValue(u"homeworkTitle", QString());
    fill(lessons[0], QStringLiteral("T"));
    showOnly({ QStringLiteral("showHomework") });
    EXPECT_EQ(lines(*report(lessons[0]))[2], QStringLiteral("homework"));
}

TEST_F(LessonReportTextTest, StyledFieldTakesTheBodyFontButKeepsItsColours)
{
    lessons[0]->setValue(u"lessonBody",
        QByteArray("{\\rtf1\\ansi{\\fonttbl\\f0\\fswiss Helvetica;}{\\colortbl;\\red255\\green0\\blue0;}"
                   "\\f0\\fs48 {\\b Bold} then {\\i slanted} and {\\cf1 red} text.\\par}"));
    const auto text = report(lessons[0]);
    for (const char* run : { "Bold", "slanted", "red", "text." }) {
        const QTextCharFormat format = formatAt(*text, QString::fromLatin1(run));
        EXPECT_DOUBLE_EQ(format.font().pointSizeF(), base()) << run;
        EXPECT_FALSE(format.font().italic()) << run;
    }
    EXPECT_EQ(formatAt(*text, QStringLiteral("red")).foreground().color(), QColor(Qt::red));
}
