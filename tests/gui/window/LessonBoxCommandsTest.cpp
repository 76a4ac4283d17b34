#include "gui/window/LessonBoxCommands.h"

#include "DemoWindowFixture.h"
#include "content/LibraryController.h"
#include "gui/content/LibraryPanel.h"
#include "gui/navigation/CourseSourceList.h"
#include "gui/navigation/CourseSourceListModel.h"
#include "gui/navigation/LessonDrag.h"
#include "gui/navigation/UnitDrag.h"
#include "gui/panels/LessonSettingsPanel.h"
#include "gui/panels/SidePanel.h"
#include "gui/views/DayColumnsCanvas.h"
#include "gui/views/DayColumnsLayout.h"
#include "gui/views/MonthView.h"
#include "gui/views/WeekView.h"
#include "gui/window/DayActions.h"
#include "gui/window/LessonActions.h"
#include "model/Attachment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/LessonDictionary.h"
#include "model/Unit.h"
#include "model/Week.h"
#include "model/Year.h"

#include <QApplication>
#include <QContextMenuEvent>
#include <QDropEvent>
#include <QFile>
#include <QListWidget>
#include <QMenu>
#include <QMimeData>
#include <QPushButton>

#include <memory>

namespace {

// Drops and context menus on the lesson boxes of the week and month views,
// and the lesson settings panel's own buttons.
class LessonBoxCommandsTest : public DemoWindowFixture {
protected:
    void SetUp() override
    {
        DemoWindowFixture::SetUp();
        planning().setToMode(PlanningModeViewController::WeekMode);
        window->resize(1600, 1000);
        window->show();
        QApplication::processEvents();
    }

    DayColumnsCanvas* canvas() const { return window->planningArea()->weekView()->canvas(); }
    // The week's lessons as laid out, in column order.
    QList<Lesson*> weekLessons() const
    {
        QList<Lesson*> lessons;
        for (const auto& column : canvas()->dayColumnsLayout()->columns())
            for (const auto& box : column.lessons)
                lessons.append(box.lesson);
        return lessons;
    }
    QPoint centreOf(const Lesson* lesson) const
    {
        return canvas()->dayColumnsLayout()->boxOf(lesson)->rect.center().toPoint();
    }
    // Drags the data over the lesson's box and, when it is accepted, drops it.
    static bool dropOn(QWidget* target, QPoint point, const QMimeData& data)
    {
        QDragEnterEvent enter(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &enter);
        if (!enter.isAccepted())
            return false;
        QDragMoveEvent move(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &move);
        if (!move.isAccepted())
            return false;
        QDropEvent drop(point, Qt::CopyAction, &data, Qt::LeftButton, Qt::NoModifier);
        QApplication::sendEvent(target, &drop);
        return drop.isAccepted();
    }
    static std::unique_ptr<QMimeData> lessonData(const Lesson* lesson)
    {
        return std::unique_ptr<QMimeData>(LessonDrag::mimeDataFor(lesson));
    }
    Lesson* laterLessonOf(const Course* course, const Lesson* after) const
    {
        Lesson* found = nullptr;
        for (Lesson* lesson : course->lessons()) {
            const Date date = lesson->dayTaught()->actualDate();
            if (date > after->dayTaught()->actualDate() && (!found || date < found->dayTaught()->actualDate()))
                found = lesson;
        }
        return found;
    }
};

} // namespace

TEST_F(LessonBoxCommandsTest, ALessonDroppedOnAnotherGivesItsContentAndSelectsTheTarget)
{
    const QList<Lesson*> lessons = weekLessons();
    ASSERT_GE(lessons.size(), 2);
    Lesson* source = lessons[0];
    Lesson* target = lessons[1];
    source->setValue(u"lessonTitle", QStringLiteral("Volcanoes"));

    EXPECT_FALSE(dropOn(canvas(), centreOf(source), *lessonData(source))) << "a lesson is not dropped on itself";
    EXPECT_FALSE(dropOn(canvas(), QPoint(2, canvas()->height() - 2), *lessonData(source))) << "nor beside the boxes";

    ASSERT_TRUE(dropOn(canvas(), centreOf(target), *lessonData(source)));
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Volcanoes"));
    EXPECT_EQ(source->lessonTitle(), QStringLiteral("Volcanoes")) << "the dragged lesson keeps its content";
    EXPECT_EQ(planning().currentLesson(), target);
}

TEST_F(LessonBoxCommandsTest, TextTakesEffectOnlyWhenItHoldsALessonDictionary)
{
    Lesson* target = weekLessons().value(1);
    ASSERT_NE(target, nullptr);
    const QString before = target->lessonTitle();
    QMimeData plain;
    plain.setText(QStringLiteral("just some words"));
    EXPECT_FALSE(dropOn(canvas(), centreOf(target), plain));
    EXPECT_EQ(target->lessonTitle(), before);

    // What another document's lesson, or another program, hands over.
    QMimeData dictionary;
    dictionary.setText(LessonDictionary::toText({ { QStringLiteral("lessonTitle"), QStringLiteral("Fractions") } }));
    ASSERT_TRUE(dropOn(canvas(), centreOf(target), dictionary));
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Fractions"));
    EXPECT_EQ(planning().currentLesson(), target);
}

// A copied file keeps the store identifier of the original, so a lesson of
// the copy names, by its key, a lesson of the original as well.
TEST_F(LessonBoxCommandsTest, ALessonFromACopyOfTheFileBringsItsOwnContentNotTheNamesakeRecord)
{
    const QList<Lesson*> lessons = weekLessons();
    ASSERT_GE(lessons.size(), 2);
    Lesson* namesake = lessons[0];
    Lesson* target = lessons[1];
    namesake->setValue(u"lessonTitle", QStringLiteral("This year's own"));
    ASSERT_TRUE(window->document().save().ok());
    const QString copyPath = folder.filePath(QStringLiteral("Last year.semestra"));
    ASSERT_TRUE(QFile::copy(window->document().filePath(), copyPath));
    DocumentWindow lastYear(alerts, files);
    ASSERT_TRUE(lastYear.openFile(copyPath));
    auto* source = dynamic_cast<Lesson*>(lastYear.document().context().objectWithURI(namesake->objectURI()));
    ASSERT_NE(source, nullptr);
    source->setValue(u"lessonTitle", QStringLiteral("Last year's"));

    ASSERT_TRUE(dropOn(canvas(), centreOf(target), *lessonData(source)));
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Last year's"));
    EXPECT_EQ(namesake->lessonTitle(), QStringLiteral("This year's own"));
    EXPECT_EQ(source->lessonTitle(), QStringLiteral("Last year's"));
    // Its unit, a record of the copy, is no unit of this document either.
    ASSERT_NE(source->unit(), nullptr);
    const std::unique_ptr<QMimeData> unitData(UnitDrag::mimeDataFor(source->unit()));
    EXPECT_EQ(UnitDrag::unitFrom(unitData.get(), window->document().context()), nullptr);
}

TEST_F(LessonBoxCommandsTest, ALibraryLessonDraggedOutOfThePanelFillsTheLessonItIsDroppedOn)
{
    const QList<Lesson*> lessons = weekLessons();
    ASSERT_GE(lessons.size(), 2);
    lessons[0]->setValue(u"lessonTitle", QStringLiteral("Photosynthesis lab"));
    const QString libraryPath = folder.filePath(QStringLiteral("library.plist"));
    ASSERT_TRUE(LibraryController::sendToLibrary(*lessons[0], alerts, libraryPath));

    LibraryPanel library(alerts, window, libraryPath);
    library.reload();
    QAbstractItemModel* rows = library.table()->model();
    ASSERT_EQ(rows->rowCount(), 1);
    const std::unique_ptr<QMimeData> dragged(rows->mimeData({ rows->index(0, 0) }));
    ASSERT_NE(dragged, nullptr);

    Lesson* target = lessons[1];
    ASSERT_TRUE(dropOn(canvas(), centreOf(target), *dragged));
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Photosynthesis lab"));
    EXPECT_EQ(planning().currentLesson(), target);
}

TEST_F(LessonBoxCommandsTest, AUnitFromTheCourseListIsCopiedOntoTheLessonOnlyOnceConfirmed)
{
    Lesson* target = weekLessons().value(0);
    ASSERT_NE(target, nullptr);
    Course* course = target->course();
    Unit* unit = course->unitsArray().value(0);
    ASSERT_NE(unit, nullptr);
    ASSERT_FALSE(unit->lessons().isEmpty());

    // The course list hands out the unit of a unit row.
    auto* model = dynamic_cast<CourseSourceListModel*>(window->courseList()->model());
    ASSERT_NE(model, nullptr);
    const QModelIndex row = model->indexOf(unit);
    ASSERT_TRUE(row.isValid());
    const std::unique_ptr<QMimeData> data(model->mimeData({ row }));
    ASSERT_NE(data, nullptr);
    EXPECT_EQ(UnitDrag::unitFrom(data.get(), target->context()), unit);

    const qsizetype units = course->unitsArray().size();
    alerts.answerNext(AlertAlternateReturn);
    ASSERT_TRUE(dropOn(canvas(), centreOf(target), *data));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Create a new copy of this unit?"));
    EXPECT_EQ(course->unitsArray().size(), units) << "cancelled: nothing made";

    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(dropOn(canvas(), centreOf(target), *data));
    EXPECT_EQ(course->unitsArray().size(), units + 1);
    ASSERT_NE(target->unit(), nullptr);
    EXPECT_NE(target->unit(), unit);
    EXPECT_TRUE(target->unit()->unitName().startsWith(unit->unitName()));
}

TEST_F(LessonBoxCommandsTest, MonthViewTakesTheSameDrops)
{
    Lesson* source = weekLessons().value(0);
    ASSERT_NE(source, nullptr);
    Lesson* target = laterLessonOf(source->course(), source);
    ASSERT_NE(target, nullptr);
    source->setValue(u"lessonTitle", QStringLiteral("Erosion"));
    planning().setToMode(PlanningModeViewController::MonthMode);
    QApplication::processEvents();
    MonthView* month = window->planningArea()->monthView();
    const MonthLayout::Cell* cell = month->monthLayout()->cellForDate(target->dayTaught()->actualDate());
    ASSERT_NE(cell, nullptr);
    const auto row = std::find_if(cell->lessons.begin(), cell->lessons.end(),
        [target](const MonthLayout::LessonRow& each) { return each.lesson == target; });
    ASSERT_NE(row, cell->lessons.end());

    ASSERT_TRUE(dropOn(month, row->rect.center().toPoint(), *lessonData(source)));
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Erosion"));
}

TEST_F(LessonBoxCommandsTest, ARightClickSelectsTheLessonAndOffersItsCommands)
{
    Lesson* lesson = weekLessons().value(2);
    ASSERT_NE(lesson, nullptr);
    ASSERT_NE(planning().currentLesson(), lesson);
    QContextMenuEvent event(QContextMenuEvent::Mouse, centreOf(lesson), canvas()->mapToGlobal(centreOf(lesson)));
    QApplication::sendEvent(canvas(), &event);

    EXPECT_EQ(planning().currentLesson(), lesson);
    QMenu* menu = window->lessonBoxCommands().menu();
    ASSERT_NE(menu, nullptr);
    const QList<QAction*> items = menu->actions();
    for (QAction* expected : { window->lessonActions().copyAction(), window->lessonActions().clearAction(),
             window->dayActions().makeNonSchoolAction(), window->dayActions().removeLessonAction() }) {
        EXPECT_TRUE(items.contains(expected)) << expected->text().toStdString();
        EXPECT_TRUE(expected->isEnabled()) << expected->text().toStdString();
    }
    EXPECT_TRUE(items.contains(window->dayActions().convertMenu()->menuAction()));
    menu->close();
}

TEST_F(LessonBoxCommandsTest, SettingsPanelButtonsActOnThePanelsLesson)
{
    Lesson* lesson = weekLessons().value(0);
    ASSERT_NE(lesson, nullptr);
    LessonSettingsPanel* panel = window->planningArea()->sidePanel()->settings();
    panel->setLesson(lesson);
    ASSERT_NE(lesson->unit(), nullptr) << "the demo year puts every lesson in a unit";

    EXPECT_TRUE(panel->removeFromUnitButton()->isEnabled());
    panel->removeFromUnitButton()->click();
    EXPECT_EQ(lesson->unit(), nullptr);
    EXPECT_FALSE(panel->removeFromUnitButton()->isEnabled());

    lesson->setValue(u"lessonTitle", QStringLiteral("Photosynthesis"));
    panel->clearButton()->click();
    EXPECT_FALSE(lesson->hasData());

    // Taking the course off the day asks first; cancelled, the lesson stays.
    Day* day = lesson->dayTaught();
    alerts.answerNext(AlertAlternateReturn);
    panel->cancelLessonButton()->click();
    EXPECT_EQ(alerts.last().title, QStringLiteral("Really Remove This Lesson?"));
    EXPECT_TRUE(day->lessons().contains(lesson));
    alerts.answerNext(AlertDefaultReturn);
    panel->cancelLessonButton()->click();
    EXPECT_FALSE(day->lessons().contains(lesson));
    EXPECT_TRUE(day->isCustom());
}

TEST_F(LessonBoxCommandsTest, DroppedFilesAreAttachedAndOtherAddressesRefused)
{
    Lesson* target = weekLessons().value(1);
    ASSERT_NE(target, nullptr);
    const qsizetype before = target->attachments().size();
    QMimeData ftp;
    ftp.setUrls({ QUrl(QStringLiteral("ftp://example.org/notes.txt")) });
    EXPECT_FALSE(dropOn(canvas(), centreOf(target), ftp));

    QMimeData files;
    files.setUrls({ QUrl::fromLocalFile(folder.filePath(QStringLiteral("Worksheet 1.pdf"))),
        QUrl::fromLocalFile(folder.filePath(QStringLiteral("Slides.odp"))) });
    ASSERT_TRUE(dropOn(canvas(), centreOf(target), files));
    QStringList names;
    for (const Attachment* attachment : target->attachments().mid(before))
        names << attachment->name();
    names.sort();
    // A file is named after its file name without the extension.
    EXPECT_EQ(names, (QStringList { QStringLiteral("Slides"), QStringLiteral("Worksheet 1") }));
}
