#include "content/MissingAttachmentsController.h"
#include "foundation/richtext/RichText.h"
#include "gui/content/MissingAttachmentsSheet.h"
#include "gui/content/WebLinkSheet.h"
#include "gui/editing/RichTextArea.h"
#include "gui/panels/AssignmentsPanel.h"
#include "gui/panels/AttachmentsTable.h"
#include "gui/panels/LessonEditorPanel.h"
#include "model/AssignedFile.h"
#include "model/Assignment.h"
#include "model/AttachedFile.h"
#include "model/AttachedWebLink.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Year.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"
#include "testlib/TemporaryPreferences.h"

#include <QComboBox>
#include <QCoreApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QMimeData>
#include <QPushButton>
#include <QSpinBox>
#include <QTableWidget>
#include <QTemporaryDir>
#include <QTest>

#include <gtest/gtest.h>

namespace {

class AssignmentsPanelTest : public ::testing::Test {
protected:
    AssignmentsPanelTest()
    {
        year = buildSchoolYear(*context, { QStringLiteral("Math"), QStringLiteral("Art") });
        lesson = mathOn(9);
    }

    Lesson* mathOn(int september) const
    {
        return year->getExactDayWithDate(local(2026, 9, september, 12))->lessonsInOrder().first();
    }
    QString makeFile(const QString& name) const
    {
        QFile file(folder.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        return file.fileName();
    }
    void save(QWidget& widget, const QString& name) const
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2026, 9, 9, 10) };
    QTemporaryDir folder;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    Lesson* lesson = nullptr;
};

TEST_F(AssignmentsPanelTest, AddingSelectsTheNewWorkAndEditsGoToIt)
{
    AssignmentsPanel panel;
    panel.setLesson(lesson);
    EXPECT_FALSE(panel.removeButton()->isEnabled());
    EXPECT_FALSE(panel.attachments()->addFileButton()->isEnabled());
    QTest::mouseClick(panel.addButton(), Qt::LeftButton);
    ASSERT_EQ(panel.list()->count(), 1);
    Assignment* added = panel.controller().selected();
    ASSERT_NE(added, nullptr);
    EXPECT_TRUE(panel.removeButton()->isEnabled());
    EXPECT_TRUE(panel.attachments()->addFileButton()->isEnabled());
    QTest::keyClicks(panel.titleEdit(), QStringLiteral("Worksheet"));
    EXPECT_EQ(added->title(), QStringLiteral("Worksheet"));
    EXPECT_EQ(panel.list()->item(0)->text(), added->titleAndDate());
    EXPECT_EQ(panel.dueChoice()->currentIndex(), 1); // the assigned lesson comes first
}

TEST_F(AssignmentsPanelTest, ReturnAndTabStayInTheDetails)
{
    AssignmentsPanel panel;
    panel.show();
    panel.setLesson(lesson);
    QTest::mouseClick(panel.addButton(), Qt::LeftButton);
    panel.detailsEdit()->setFocus();
    QTest::keyClicks(panel.detailsEdit(), QStringLiteral("one"));
    QTest::keyClick(panel.detailsEdit(), Qt::Key_Return);
    QTest::keyClick(panel.detailsEdit(), Qt::Key_Tab);
    QTest::keyClicks(panel.detailsEdit(), QStringLiteral("two"));
    EXPECT_EQ(panel.controller().selected()->detailsString(), QStringLiteral("one\n\ttwo"));
}

TEST_F(AssignmentsPanelTest, ChoosingADueLessonMovesTheWork)
{
    AssignmentsPanel panel;
    panel.setLesson(lesson);
    QTest::mouseClick(panel.addButton(), Qt::LeftButton);
    Assignment* added = panel.controller().selected();
    panel.dueChoice()->setCurrentIndex(3);
    emit panel.dueChoice()->activated(3);
    EXPECT_EQ(added->dueLesson(), panel.controller().dueLessonChoices().value(3));
    EXPECT_EQ(added->lessonsBetweenAssignedAndDue(), 3);
    EXPECT_EQ(panel.controller().selected(), added);
}

TEST_F(AssignmentsPanelTest, LinksDroppedOnTheTableWaitForAnAssignment)
{
    AssignmentsPanel panel;
    panel.setLesson(lesson);
    const QStringList dropped { QStringLiteral("file://") + makeFile(QStringLiteral("rubric.pdf")) };
    EXPECT_EQ(panel.attachments()->attachLocations(dropped), 0);
    QTest::mouseClick(panel.addButton(), Qt::LeftButton);
    EXPECT_EQ(panel.attachments()->attachLocations(dropped), 1);
    EXPECT_EQ(panel.attachments()->table()->rowCount(), 1);
    EXPECT_EQ(panel.attachments()->table()->item(0, 1)->text(), QStringLiteral("rubric"));
}

TEST_F(AssignmentsPanelTest, WebLinkSheetRefusesAnEmptyAddress)
{
    WebLinkSheet sheet;
    QPushButton* add = sheet.buttons()->button(QDialogButtonBox::Ok);
    EXPECT_FALSE(add->isEnabled());
    sheet.addressEdit()->setText(QStringLiteral("http://"));
    EXPECT_FALSE(add->isEnabled());
    sheet.addressEdit()->setText(QStringLiteral("example.org"));
    EXPECT_TRUE(add->isEnabled());
}

TEST_F(AssignmentsPanelTest, ScreenshotOfTheAssignmentsPanelAndAttachments)
{
    Assignment* essay = lesson->addAssignment();
    essay->setValue(u"title", QStringLiteral("Fractions worksheet"));
    essay->setValue(u"points", 20);
    essay->setValue(u"details", RichText::fromPlainText(QStringLiteral("Questions 1-12.\n\tShow your working.")));
    essay->addFileWithPath(makeFile(QStringLiteral("Fractions%20worksheet.pdf")));
    essay->addWebLinkWithURL(QStringLiteral("https://example.org/fractions"), QStringLiteral("Fraction strips"));
    Assignment* reading = mathOn(8)->addAssignment();
    reading->setValue(u"title", QStringLiteral("Read chapter 3"));
    reading->setObject(u"dueLesson", lesson);
    lesson->addFileWithPath(makeFile(QStringLiteral("Number line.png")));
    lesson->addWebLinkWithURL(QStringLiteral("https://example.org/number-line"), QStringLiteral("Number line game"));

    LessonEditorPanel editor;
    editor.resize(420, 760);
    editor.setLesson(lesson);
    editor.showSegment(LessonEditorPanel::Assignments);
    editor.assignments()->selectRow(0);
    editor.show();
    ASSERT_EQ(editor.assignments()->list()->count(), 2);
    EXPECT_EQ(editor.assignments()->titleEdit()->text(), QStringLiteral("Fractions worksheet"));
    EXPECT_EQ(editor.assignments()->pointsEdit()->value(), 20);
    EXPECT_EQ(editor.assignments()->attachments()->table()->rowCount(), 2);
    EXPECT_EQ(editor.attachments()->table()->rowCount(), 2);
    EXPECT_FALSE(editor.attachments()->table()->item(0, 0)->icon().isNull());
    save(editor, QStringLiteral("assignments-panel.png"));
}

TEST_F(AssignmentsPanelTest, ScreenshotOfTheMissingAttachmentsSheet)
{
    lesson->addFileWithPath(QStringLiteral("/home/teacher/Moved/Unit 2 quiz.pdf"));
    mathOn(10)->addFileWithPath(makeFile(QStringLiteral("Back again.docx")));
    mathOn(14)->addAssignment()->addFileWithPath(QStringLiteral("/media/usb/Lab report template.odt"));
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser chooser;
    MissingAttachmentsController controller(alerts, chooser);
    ASSERT_TRUE(controller.checkAttachments(year));
    MissingAttachmentsSheet sheet(controller);
    sheet.load();
    sheet.show();
    ASSERT_EQ(sheet.table()->rowCount(), 2);
    EXPECT_EQ(sheet.table()->item(0, 1)->text(), QStringLiteral("/home/teacher/Moved/Unit 2 quiz.pdf"));
    EXPECT_TRUE(sheet.locateButton()->isEnabled());
    save(sheet, QStringLiteral("missing-attachments.png"));

    QTest::mouseClick(sheet.removeButton(), Qt::LeftButton);
    EXPECT_EQ(sheet.table()->rowCount(), 1);
    alerts.answerNext(AlertDefaultReturn);
    QTest::mouseClick(sheet.removeAllButton(), Qt::LeftButton);
    EXPECT_TRUE(controller.isFinished());
    EXPECT_EQ(alerts.last().title, QStringLiteral("All Attachments Found"));
}

} // namespace
