#include "content/LessonContentController.h"

#include "ContentFixture.h"
#include "content/LibraryController.h"
#include "foundation/pasteboard/Pasteboard.h"
#include "model/Assignment.h"
#include "model/LessonDictionary.h"
#include "store/ObjectContext.h"

#include <QClipboard>
#include <QDir>
#include <QGuiApplication>
#include <QMimeData>
#include <QTemporaryDir>

#include <functional>

namespace {

class LessonContentControllerTest : public ContentFixture {
protected:
    LessonContentControllerTest() { Pasteboard::general().clearContents(); }

    Assignment* assign(Lesson* given, Lesson* due, const QString& title, int points = 0)
    {
        auto* assignment = insert<Assignment>("Assignment");
        assignment->setValue(u"title", title);
        assignment->setValue(u"points", points);
        assignment->setObject(u"assignedLesson", given);
        assignment->setObject(u"dueLesson", due);
        return assignment;
    }
    static QStringList assignmentTitles(const QList<Assignment*>& assignments)
    {
        QStringList result;
        for (const Assignment* assignment : assignments)
            result << assignment->title();
        result.sort();
        return result;
    }

    LessonContentController controller { alerts };
};

} // namespace

TEST_F(LessonContentControllerTest, CopyAndPasteCarryContentAcrossCourses)
{
    fill(lessons[2], QStringLiteral("Copied"));
    lessons[2]->setValue(u"anchored", true);
    controller.copyLesson(lessons[2]);
    ASSERT_TRUE(controller.canPasteLesson());
    ASSERT_TRUE(controller.pasteLesson(artLessons[5]));
    EXPECT_EQ(artLessons[5]->lessonTitle(), QStringLiteral("Copied"));
    EXPECT_EQ(artLessons[5]->value<QString>(u"homeworkString"), QStringLiteral("Copied homework"));
    EXPECT_TRUE(artLessons[5]->isAnchored());
    // The meeting keeps its own slot.
    EXPECT_EQ(artLessons[5]->course(), art);
    EXPECT_EQ(artLessons[5]->dayTaught(), days[5]);
}

TEST_F(LessonContentControllerTest, CopyAndPasteCarryContentIntoAnotherDocument)
{
    fill(lessons[0], QStringLiteral("Travels"));
    controller.copyLesson(lessons[0]);
    std::unique_ptr<ObjectContext> other = SemestraRecords::newContext();
    ScheduleBuilder elsewhere(*other, 2027, 2, 28, 1);
    Lesson* target = elsewhere.lesson(elsewhere.course(QStringLiteral("Science")), elsewhere.day(2), 8);
    ASSERT_TRUE(controller.pasteLesson(target));
    EXPECT_EQ(target->lessonTitle(), QStringLiteral("Travels"));
}

TEST_F(LessonContentControllerTest, CopyWithoutALessonKeepsTheEarlierCopy)
{
    fill(lessons[0], QStringLiteral("First"));
    controller.copyLesson(lessons[0]);
    const int changes = Pasteboard::general().changeCount();
    controller.copyLesson(nullptr);
    EXPECT_EQ(Pasteboard::general().changeCount(), changes);
    ASSERT_TRUE(controller.pasteLesson(lessons[1]));
    EXPECT_EQ(lessons[1]->lessonTitle(), QStringLiteral("First"));
}

TEST_F(LessonContentControllerTest, PastingTextThatIsNoLessonChangesNothing)
{
    fill(lessons[1], QStringLiteral("Stays"));
    Pasteboard::general().setString(QStringLiteral("just some words ("));
    EXPECT_FALSE(controller.pasteLesson(lessons[1]));
    EXPECT_FALSE(controller.pasteLesson(nullptr));
    EXPECT_EQ(lessons[1]->lessonTitle(), QStringLiteral("Stays"));
}

// What any program finds on the desktop's clipboard after a copy, and what a
// copy made by another program does to Paste.
TEST_F(LessonContentControllerTest, CopiedLessonsTravelOnTheClipboardWithTheirTextBeside)
{
    fill(lessons[0], QStringLiteral("Shared"));
    assign(lessons[0], lessons[1], QStringLiteral("Worksheet"), 12);
    controller.copyLesson(lessons[0]);
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    ASSERT_TRUE(held->hasFormat(LessonContentController::lessonsType));
    const std::optional<QVariantMap> asText = LessonDictionary::fromText(held->text());
    ASSERT_TRUE(asText.has_value());
    EXPECT_EQ(asText->value(QStringLiteral("lessonTitle")).toString(), QStringLiteral("Shared"));

    // Another Semestra's copy arrives through the clipboard alone.
    const QByteArray lessonsData = held->data(LessonContentController::lessonsType);
    QGuiApplication::clipboard()->setText(QStringLiteral("a word from an editor"));
    EXPECT_FALSE(controller.canPasteLesson());
    EXPECT_FALSE(controller.pasteLesson(artLessons[4]));
    auto* fromElsewhere = new QMimeData;
    fromElsewhere->setData(LessonContentController::lessonsType, lessonsData);
    QGuiApplication::clipboard()->setMimeData(fromElsewhere);
    ASSERT_TRUE(controller.canPasteLesson());
    ASSERT_TRUE(controller.pasteLesson(artLessons[4]));
    EXPECT_EQ(artLessons[4]->lessonTitle(), QStringLiteral("Shared"));
    ASSERT_EQ(artLessons[4]->assignments().size(), 1);
    EXPECT_EQ(artLessons[4]->assignments().first()->points(), 12);

    // Lessons that do not read as lessons change nothing.
    Pasteboard::general().setItems({ { LessonContentController::lessonsType, QByteArray("<plist><array>") } });
    EXPECT_FALSE(controller.pasteLesson(artLessons[4]));
    EXPECT_EQ(artLessons[4]->lessonTitle(), QStringLiteral("Shared"));
}

TEST_F(LessonContentControllerTest, DroppingALessonCopiesItButNotOntoItself)
{
    fill(lessons[0], QStringLiteral("Dropped"));
    EXPECT_FALSE(controller.dropLesson(lessons[0], lessons[0]));
    EXPECT_TRUE(controller.dropLesson(lessons[3], lessons[0]));
    EXPECT_EQ(lessons[3]->lessonTitle(), QStringLiteral("Dropped"));
    EXPECT_EQ(lessons[0]->lessonTitle(), QStringLiteral("Dropped"));
}

TEST_F(LessonContentControllerTest, DroppedTextHoldingALessonDictionaryIsImported)
{
    EXPECT_TRUE(controller.dropText(lessons[4], QStringLiteral("{ lessonTitle = \"From text\"; syncID = X; }")));
    EXPECT_EQ(lessons[4]->lessonTitle(), QStringLiteral("From text"));
    EXPECT_NE(lessons[4]->value<QString>(u"syncID"), QStringLiteral("X"));
    EXPECT_FALSE(controller.dropText(lessons[4], QStringLiteral("plain words")));
}

TEST_F(LessonContentControllerTest, ClearingALessonKeepsTheSlot)
{
    fill(lessons[2], QStringLiteral("Busy"));
    Unit* unit = math->addUnitWithName(QStringLiteral("U"));
    lessons[2]->setObject(u"unit", unit);
    controller.clearLesson(lessons[2]);
    EXPECT_FALSE(lessons[2]->hasData());
    EXPECT_EQ(lessons[2]->unit(), nullptr);
    EXPECT_EQ(lessons[2]->dayTaught(), days[2]);
    EXPECT_TRUE(lessons[2]->hasTimes());
}

TEST_F(LessonContentControllerTest, ClearAllAsksAndCancelChangesNothing)
{
    fill(lessons[0], QStringLiteral("A"));
    fill(artLessons[9], QStringLiteral("B"));
    alerts.answerNext(AlertOtherReturn);
    EXPECT_FALSE(controller.clearAllLessons(*year()));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Clear All Lesson Information?"));
    EXPECT_EQ(alerts.last().otherButton, QStringLiteral("Cancel"));
    EXPECT_TRUE(lessons[0]->hasData());
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(controller.clearAllLessons(*year()));
    EXPECT_FALSE(lessons[0]->hasData());
    EXPECT_FALSE(artLessons[9]->hasData());
    EXPECT_EQ(math->lessons().size(), 10);
}

// The alert promises that all entered information goes: the work given in
// a cleared lesson goes with it, wherever it was due.
TEST_F(LessonContentControllerTest, ClearingRemovesTheWorkGivenInTheClearedLessons)
{
    assign(lessons[2], lessons[4], QStringLiteral("Essay"));
    Assignment* reading = assign(lessons[0], lessons[2], QStringLiteral("Reading"));
    controller.clearLesson(lessons[2]);
    EXPECT_TRUE(lessons[2]->assignments().isEmpty());
    EXPECT_TRUE(lessons[4]->homeworkDue().isEmpty());
    EXPECT_FALSE(lessons[4]->hasAssignments());
    EXPECT_EQ(lessons[2]->homeworkDue(), QList<Assignment*> { reading });

    assign(artLessons[1], artLessons[3], QStringLiteral("Sketch"));
    alerts.answerNext(AlertDefaultReturn);
    ASSERT_TRUE(controller.clearAllLessons(*year()));
    EXPECT_EQ(context->countOfEntity(QStringLiteral("Assignment")), 0);
    EXPECT_FALSE(artLessons[3]->hasAssignments());
}

// Paste, a dropped lesson text, a library lesson and a lesson dragged within
// the document all replace the target's work with the source's.
TEST_F(LessonContentControllerTest, EveryWayOfCopyingALessonReplacesTheTargetsWork)
{
    fill(lessons[0], QStringLiteral("Source"));
    assign(lessons[0], lessons[1], QStringLiteral("New work"), 7);
    QTemporaryDir folder;
    const QString libraryPath = QDir(folder.path()).filePath(QStringLiteral("library.plist"));
    ASSERT_TRUE(LibraryController::sendToLibrary(*lessons[0], alerts, libraryPath));
    LibraryController library(alerts, libraryPath);
    library.reload();
    controller.copyLesson(lessons[0]);
    const QString text = LessonDictionary::toText(lessons[0]->dictionaryForExport());

    const QList<std::pair<const char*, std::function<bool(Lesson*)>>> routes {
        { "paste", [&](Lesson* target) { return controller.pasteLesson(target); } },
        { "text drop", [&](Lesson* target) { return controller.dropText(target, text); } },
        { "library drop", [&](Lesson* target) { return controller.dropText(target, library.dragText(0)); } },
        { "lesson drag", [&](Lesson* target) { return controller.dropLesson(target, lessons[0]); } },
    };
    int place = 2;
    for (const auto& [name, route] : routes) {
        Lesson* target = artLessons[place];
        assign(target, artLessons[9], QStringLiteral("Old work"));
        ASSERT_TRUE(route(target)) << name;
        EXPECT_EQ(assignmentTitles(target->assignments()), QStringList { QStringLiteral("New work") }) << name;
        EXPECT_FALSE(assignmentTitles(artLessons[9]->homeworkDue()).contains(QStringLiteral("Old work"))) << name;
        ASSERT_EQ(target->assignments().size(), 1) << name;
        EXPECT_EQ(target->assignments().first()->points(), 7) << name;
        EXPECT_EQ(target->assignments().first()->dueLesson(), artLessons[place + 1]) << name;
        place += 2;
    }
}

TEST_F(LessonContentControllerTest, LockAndRemoveFromUnit)
{
    controller.toggleLock(lessons[0]);
    EXPECT_TRUE(lessons[0]->isAnchored());
    controller.toggleLock(lessons[0]);
    EXPECT_FALSE(lessons[0]->isAnchored());
    Unit* unit = math->addUnitWithName(QStringLiteral("U"));
    lessons[0]->setObject(u"unit", unit);
    controller.removeFromUnit(lessons[0]);
    EXPECT_EQ(lessons[0]->unit(), nullptr);
    EXPECT_EQ(math->units().size(), 1);
}
