#include "cli/DemoYearFiller.h"
#include "foundation/notify/NotificationCenter.h"
#include "foundation/richtext/RtfWriter.h"
#include "gui/editing/EditingModeView.h"
#include "gui/panels/SidePanel.h"
#include "gui/window/DocumentWindow.h"
#include "gui/window/PlanningArea.h"
#include "model/Document.h"
#include "model/Lesson.h"
#include "model/Year.h"
#include "planning/PlanningModeViewController.h"
#include "planning/PlanningNotifications.h"
#include "testlib/FixedClock.h"
#include "testlib/LocalDate.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/TemporaryPreferences.h"

#include <QCoreApplication>
#include <QDir>
#include <QPointer>
#include <QTemporaryDir>
#include <QTextCursor>
#include <QTextDocument>

#include <gtest/gtest.h>

namespace {

// The lesson editors on the command line's demo year, with a lesson whose
// fields carry styled text. The pictures are written for a person to look at.
class EditingModeScreenshotTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        const QString path = folder.filePath(QStringLiteral("Demo.semestra"));
        {
            DocumentWindow writer;
            ScriptedAlertPresenter alerts;
            Year* year = DemoYearFiller::buildYear(writer.document().context(), alerts, 1);
            ASSERT_NE(year, nullptr);
            for (const char* flag : { "teacherEnlarged", "homeworkEnlarged", "custom1Enlarged" })
                year->setValue(QString::fromLatin1(flag), true);
            ASSERT_TRUE(writer.document().saveAs(path).ok());
        }
        window = new DocumentWindow;
        ASSERT_TRUE(window->openFile(path));
        window->resize(1440, 900);
        window->show();
        lesson = window->planningArea()->controller().currentLesson();
        ASSERT_NE(lesson, nullptr);
        lesson->setValue(u"lessonTitle", QStringLiteral("Equivalent fractions"));
        lesson->setValue(u"lessonBody", styledPlan());
        lesson->setValue(u"custom1", styledMaterials());
    }

    void TearDown() override { delete window.data(); }

    static QByteArray styledPlan()
    {
        QTextDocument text;
        QTextCursor cursor(&text);
        QTextCharFormat bold;
        bold.setFontWeight(QFont::Bold);
        cursor.insertText(QStringLiteral("Warm-up: "), bold);
        cursor.insertText(QStringLiteral("fold paper strips into halves and quarters."), QTextCharFormat());
        cursor.insertBlock();
        cursor.insertText(QStringLiteral("• Compare 1/2 and 2/4 on the number line"));
        cursor.insertBlock();
        QTextCharFormat italic;
        italic.setFontItalic(true);
        cursor.insertText(QStringLiteral("• Pairs explain why they are equal"), italic);
        return RtfWriter::write(text);
    }

    static QByteArray styledMaterials()
    {
        QTextDocument text;
        QTextCursor cursor(&text);
        QTextCharFormat red;
        red.setForeground(QColor(192, 32, 32));
        red.setFontUnderline(true);
        cursor.insertText(QStringLiteral("Bring fraction tiles"), red);
        return RtfWriter::write(text);
    }

    void save(QWidget& widget, const QString& name) const
    {
        QCoreApplication::processEvents();
        ASSERT_TRUE(QDir().mkpath(QStringLiteral(SEMESTRA_SCREENSHOT_DIR)));
        EXPECT_TRUE(widget.grab().save(QStringLiteral(SEMESTRA_SCREENSHOT_DIR "/") + name));
    }

    TemporaryPreferences preferences;
    FixedClock clock { local(2025, 10, 8, 9) };
    QTemporaryDir folder;
    QPointer<DocumentWindow> window;
    Lesson* lesson = nullptr;
};

TEST_F(EditingModeScreenshotTest, SidePanelEditorAndEditingMode)
{
    save(*window, QStringLiteral("side-panel-editor-window.png"));
    save(*window->planningArea()->sidePanel(), QStringLiteral("side-panel-editor.png"));
    NotificationCenter::defaultCenter().post(PlanningNotifications::lessonSettingsClicked, lesson);
    save(*window->planningArea()->sidePanel(), QStringLiteral("side-panel-lesson-settings.png"));

    NotificationCenter::defaultCenter().post(PlanningNotifications::lessonDoubleClicked, lesson);
    ASSERT_NE(window->editingModeView(), nullptr);
    save(*window, QStringLiteral("editing-mode.png"));
    window->editingModeView()->showTools(EditingModeView::DayTools);
    save(*window, QStringLiteral("editing-mode-day-tools.png"));
}

} // namespace
