#include "gui/editing/FieldEditor.h"

#include "foundation/richtext/RichText.h"
#include "foundation/richtext/RtfReader.h"
#include "gui/editing/RichTextArea.h"
#include "gui/views/LessonBoxText.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QApplication>
#include <QCheckBox>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTextDocument>
#include <QToolButton>

#include <gtest/gtest.h>

namespace {

class FieldEditorTest : public ::testing::Test {
protected:
    FieldEditorTest()
    {
        year = buildSchoolYear(document.context(), { QStringLiteral("Math") });
        for (const char* flag : { "teacherEnlarged", "homeworkEnlarged", "custom2Enlarged" })
            year->setValue(QString::fromLatin1(flag), true);
        lesson = lessonOn(9);
        editor.setLesson(lesson);
        editor.resize(400, 300);
        editor.show();
    }

    Lesson* lessonOn(int september) const
    {
        return year->getExactDayWithDate(local(2026, 9, september, 12))->lessonsInOrder().first();
    }

    void type(const QString& text, Qt::KeyboardModifiers modifiers = Qt::NoModifier)
    {
        QTest::keyClicks(editor.textArea(), text, modifiers);
    }

    void control(Qt::Key key) { QTest::keyClick(editor.textArea(), key, Qt::ControlModifier); }

    FixedClock clock { local(2026, 9, 9, 10) };
    TemporaryPreferences preferences;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    Document document { alerts, files };
    Year* year = nullptr;
    Lesson* lesson = nullptr;
    FieldEditor editor { QStringLiteral("homework") };
};

QTextCharFormat formatOf(const QTextDocument& text, const QString& word)
{
    const QTextCursor found = text.find(word);
    EXPECT_FALSE(found.isNull()) << word.toStdString();
    return found.charFormat();
}

TEST_F(FieldEditorTest, EveryKeystrokeReachesTheLessonAndItsShadow)
{
    type(QStringLiteral("Read"));
    EXPECT_EQ(lesson->value<QString>(u"homeworkString"), QStringLiteral("Read"));
    type(QStringLiteral(" page 4"));
    EXPECT_EQ(RichText::plainText(lesson->value<QByteArray>(u"homework")), QStringLiteral("Read page 4"));
    EXPECT_EQ(lesson->value<QString>(u"homeworkString"), QStringLiteral("Read page 4"));
    EXPECT_TRUE(lessonOn(10)->value<QString>(u"homeworkString").isEmpty());
}

TEST_F(FieldEditorTest, TheLessonTextShowsOneEditedFieldBareAndSeveralUnderTheirLabels)
{
    year->setValue(u"lessonBodyTitle", QStringLiteral("Plan"));
    year->setValue(u"homeworkTitle", QStringLiteral("Homework"));
    year->setValue(u"showTeacher", true);
    year->setValue(u"showHomework", true);
    const auto boxText = [this] { return LessonBoxText::build(*lesson, {}, QApplication::font())->toPlainText(); };

    type(QStringLiteral("Read page 4"));
    EXPECT_EQ(boxText(), QStringLiteral("Read page 4"));

    FieldEditor plan { QStringLiteral("lessonBody") };
    plan.setLesson(lesson);
    plan.show();
    QTest::keyClicks(plan.textArea(), QStringLiteral("Warm-up"));
    EXPECT_EQ(boxText(), QStringLiteral("Plan: Warm-up\nHomework: Read page 4"));

    // Unticking a field's show box takes it out of the text again.
    plan.showBox()->click();
    EXPECT_EQ(boxText(), QStringLiteral("Read page 4"));
}

TEST_F(FieldEditorTest, StylingSurvivesASaveAndAReopen)
{
    type(QStringLiteral("plain "));
    control(Qt::Key_B);
    type(QStringLiteral("bold "));
    control(Qt::Key_B);
    control(Qt::Key_I);
    type(QStringLiteral("slanted "));
    control(Qt::Key_I);
    control(Qt::Key_U);
    type(QStringLiteral("lined"));
    control(Qt::Key_U);
    editor.textArea()->setPointSize(18);
    editor.textArea()->setTextColour(QColor(192, 32, 32));
    type(QStringLiteral(" big"));
    QTest::keyClick(editor.textArea(), Qt::Key_Return);
    editor.textArea()->toggleBullets();
    type(QStringLiteral("first"));
    QTest::keyClick(editor.textArea(), Qt::Key_Return);
    type(QStringLiteral("second"));

    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("styled.semestra"));
    ASSERT_TRUE(document.saveAs(path).ok());
    Document reopened { alerts, files };
    ASSERT_TRUE(reopened.open(path).ok());
    Year* again = reopened.getCurrentYear();
    Lesson* stored = again->getExactDayWithDate(local(2026, 9, 9, 12))->lessonsInOrder().first();
    const auto text = RtfReader::read(stored->value<QByteArray>(u"homework"));

    EXPECT_EQ(text->toPlainText(), QStringLiteral("plain bold slanted lined big\n• first\n• second"));
    EXPECT_EQ(stored->value<QString>(u"homeworkString"), text->toPlainText());
    EXPECT_LT(formatOf(*text, QStringLiteral("plain")).fontWeight(), QFont::Bold);
    EXPECT_EQ(formatOf(*text, QStringLiteral("bold")).fontWeight(), QFont::Bold);
    EXPECT_FALSE(formatOf(*text, QStringLiteral("bold")).fontItalic());
    EXPECT_TRUE(formatOf(*text, QStringLiteral("slanted")).fontItalic());
    EXPECT_LT(formatOf(*text, QStringLiteral("slanted")).fontWeight(), QFont::Bold);
    EXPECT_TRUE(formatOf(*text, QStringLiteral("lined")).fontUnderline());
    EXPECT_FALSE(formatOf(*text, QStringLiteral("big")).fontUnderline());
    EXPECT_EQ(formatOf(*text, QStringLiteral("big")).fontPointSize(), 18);
    EXPECT_EQ(formatOf(*text, QStringLiteral("big")).foreground().color(), QColor(192, 32, 32));

    // The reopened lesson loads into an editor with its styling.
    FieldEditor reader { QStringLiteral("homework") };
    reader.setLesson(stored);
    EXPECT_EQ(formatOf(*reader.textArea()->document(), QStringLiteral("bold")).fontWeight(), QFont::Bold);
}

TEST_F(FieldEditorTest, BulletsAreToggledOverTheSelectedParagraphs)
{
    type(QStringLiteral("one"));
    QTest::keyClick(editor.textArea(), Qt::Key_Return);
    type(QStringLiteral("two"));
    editor.textArea()->selectAll();
    editor.textArea()->toggleBullets();
    EXPECT_EQ(lesson->value<QString>(u"homeworkString"), QStringLiteral("• one\n• two"));
    editor.textArea()->selectAll();
    editor.textArea()->toggleBullets();
    EXPECT_EQ(lesson->value<QString>(u"homeworkString"), QStringLiteral("one\ntwo"));
}

TEST_F(FieldEditorTest, TextPutIntoTheLessonElsewhereReplacesWhatTheEditorShows)
{
    type(QStringLiteral("draft"));
    lesson->setValue(u"homework", RichText::fromPlainText(QStringLiteral("pasted")));
    EXPECT_EQ(editor.textArea()->toPlainText(), QStringLiteral("pasted"));
    // The editor's own keystrokes do not reload the text under the cursor.
    editor.textArea()->moveCursor(QTextCursor::End);
    type(QStringLiteral("!"));
    EXPECT_EQ(editor.textArea()->toPlainText(), QStringLiteral("pasted!"));
    EXPECT_EQ(editor.textArea()->textCursor().position(), 7);
}

// Clicking the box of the lesson being edited shows it again as it is:
// the caret stays where the teacher left it.
TEST_F(FieldEditorTest, ShowingTheSameLessonAgainKeepsTheCaretUntilItsTextChanged)
{
    type(QStringLiteral("Read page 4"));
    editor.textArea()->moveCursor(QTextCursor::StartOfWord);
    const int caret = editor.textArea()->textCursor().position();
    ASSERT_GT(caret, 0);
    editor.setLesson(lesson);
    EXPECT_EQ(editor.textArea()->textCursor().position(), caret);
    const QSignalBlocker quiet(editor.textArea());
    editor.textArea()->setPlainText(QStringLiteral("stale"));
    editor.setLesson(nullptr);
    editor.setLesson(lesson);
    EXPECT_EQ(editor.textArea()->toPlainText(), QStringLiteral("Read page 4"));
}

TEST_F(FieldEditorTest, MovingToAnotherLessonLeavesTheFirstAlone)
{
    type(QStringLiteral("mine"));
    editor.setLesson(lessonOn(10));
    EXPECT_TRUE(editor.textArea()->toPlainText().isEmpty());
    type(QStringLiteral("theirs"));
    EXPECT_EQ(lesson->value<QString>(u"homeworkString"), QStringLiteral("mine"));
    EXPECT_EQ(lessonOn(10)->value<QString>(u"homeworkString"), QStringLiteral("theirs"));
}

TEST_F(FieldEditorTest, CollapsingAFieldCollapsesItForEveryLessonOfTheYear)
{
    FieldEditor other { QStringLiteral("homework") };
    other.setLesson(lessonOn(10));
    EXPECT_TRUE(editor.shouldBeVisible());
    EXPECT_FALSE(editor.textArea()->isHidden());

    editor.expandButton()->click();
    EXPECT_FALSE(year->value<bool>(u"homeworkEnlarged"));
    EXPECT_TRUE(editor.textArea()->isHidden());
    other.show();
    EXPECT_FALSE(other.shouldBeVisible());
    EXPECT_TRUE(other.textArea()->isHidden());

    other.expandButton()->click();
    EXPECT_TRUE(year->value<bool>(u"homeworkEnlarged"));
    EXPECT_FALSE(other.textArea()->isHidden());
}

TEST_F(FieldEditorTest, TitleAndShowBoxEditTheYearsLabelAndVisibleFields)
{
    FieldEditor custom { QStringLiteral("custom2") };
    custom.setLesson(lesson);
    custom.titleEdit()->setText(QStringLiteral("Materials"));
    emit custom.titleEdit()->editingFinished();
    EXPECT_EQ(year->fieldTitle(QStringLiteral("custom2")), QStringLiteral("Materials"));
    FieldEditor elsewhere { QStringLiteral("custom2") };
    elsewhere.setLesson(lessonOn(11));
    EXPECT_EQ(elsewhere.titleEdit()->text(), QStringLiteral("Materials"));

    const bool shown = year->visibleFields().contains(QStringLiteral("custom2"));
    custom.showBox()->click();
    EXPECT_EQ(year->visibleFields().contains(QStringLiteral("custom2")), !shown);
    EXPECT_EQ(year->value<bool>(u"showCustom2"), !shown);
}

TEST_F(FieldEditorTest, WithoutALessonNothingCanBeEdited)
{
    editor.setLesson(nullptr);
    EXPECT_TRUE(editor.textArea()->isHidden());
    EXPECT_FALSE(editor.titleEdit()->isEnabled());
    EXPECT_FALSE(editor.showBox()->isEnabled());
}

} // namespace
