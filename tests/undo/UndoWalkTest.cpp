#include "cli/DemoYearFiller.h"
#include "content/LessonContentController.h"
#include "content/StandardsImporter.h"
#include "exchange/CourseFile.h"
#include "exchange/CourseImport.h"
#include "foundation/alerts/AlertPresenter.h"
#include "foundation/plist/PropertyList.h"
#include "foundation/richtext/RichText.h"
#include "model/Assignment.h"
#include "model/Attachment.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/SemestraRecords.h"
#include "model/Standard.h"
#include "model/StandardInLesson.h"
#include "model/Unit.h"
#include "model/Year.h"
#include "schedule/AddCourseController.h"
#include "schedule/CourseTimeController.h"
#include "store/SqliteStore.h"
#include "store/UndoGroup.h"
#include "testlib/RecordSnapshot.h"

#include <QColor>
#include <QSet>
#include <QTemporaryDir>

#include <gtest/gtest.h>

#include <functional>
#include <random>

namespace {

class DefaultAnswers : public AlertPresenter {
public:
    int runModal(const Alert&) override { return AlertDefaultReturn; }
};

// A teacher's session in fast motion: commands of every kind, each one undo
// step, picked at random (seeded, so a failure repeats) over a demo year
// whose records all carry service identifiers, so that deletions go to the
// delete stack too.
class UndoWalkTest : public testing::Test {
protected:
    struct Command {
        QString name;
        // Answers whether the command applied (some need a target the year may lack).
        std::function<bool()> run;
    };

    static constexpr int stepsWanted = 220;

    UndoWalkTest()
    {
        year = DemoYearFiller::buildYear(*context, alerts, 1);
        giveEveryRecordAServiceIdentifier();
        context->undoHistory().setEnabled(true);
        controller.emplace(alerts);
    }

    void giveEveryRecordAServiceIdentifier()
    {
        qint64 next = 0;
        for (const EntityDescription* entity : context->model().entities()) {
            if (entity->attributeIndex(u"syncID") < 0 || entity->isAbstract())
                continue;
            for (ManagedObject* record : context->objectsOfEntity(*entity))
                record->setValue(u"syncID", QString::number(++next));
        }
    }

    std::uint32_t pick(std::uint32_t count)
    {
        return std::uniform_int_distribution<std::uint32_t>(0, count - 1)(random);
    }
    template <typename T> T* pickFrom(const QList<T*>& list)
    {
        return list.isEmpty() ? nullptr : list[pick(list.size())];
    }

    Lesson* anyLesson() { return pickFrom(year->getAllLessons()); }
    Course* anyCourse() { return pickFrom(year->courses()); }
    QList<Day*> days(const std::function<bool(const Day&)>& accept) const
    {
        QList<Day*> chosen;
        for (Day* day : year->getAllDaysOrderedAscending()) {
            if (accept(*day))
                chosen << day;
        }
        return chosen;
    }
    Day* anySchoolDayWithLessons()
    {
        return pickFrom(days([](const Day& day) { return !day.isNonSchoolDay() && !day.lessonsInOrder().isEmpty(); }));
    }
    Day* anyNonSchoolDay()
    {
        return pickFrom(days([](const Day& day) { return day.isNonSchoolDay(); }));
    }

    QByteArray text(const QString& what) { return RichText::fromPlainText(what + QString::number(pick(1000))); }

    QList<Command> commands();

    // Runs commands until `stepsWanted` steps are recorded; answers the
    // names of the kinds that made one.
    QSet<QString> walk(const std::function<void(int step)>& betweenSteps = {})
    {
        const QList<Command> all = commands();
        QSet<QString> made;
        UndoHistory& history = context->undoHistory();
        for (int tries = 0; history.undoCount() < size_t(stepsWanted) && tries < stepsWanted * 5; ++tries) {
            // Every kind once first, then at random.
            const Command& command = tries < all.size() ? all[tries] : all[pick(all.size())];
            const size_t before = history.undoCount();
            {
                UndoGroup group(*context, command.name);
                command.run();
            }
            if (history.undoCount() > before) {
                made << command.name;
                EXPECT_EQ(history.undoName(), command.name);
                if (betweenSteps)
                    betweenSteps(int(history.undoCount()));
            }
        }
        return made;
    }

    QStringList expectedKinds()
    {
        QStringList names;
        for (const Command& command : commands())
            names << command.name;
        return names;
    }

    ::testing::AssertionResult matches(const QStringList& expected, const QStringList& actual) const
    {
        const QString differences = RecordSnapshot::differences(expected, actual);
        if (differences.isEmpty())
            return ::testing::AssertionSuccess();
        return ::testing::AssertionFailure() << qPrintable(differences);
    }

    int undoAll()
    {
        int count = 0;
        while (context->undoHistory().undo())
            ++count;
        return count;
    }
    int redoAll()
    {
        int count = 0;
        while (context->undoHistory().redo())
            ++count;
        return count;
    }

    DefaultAnswers alerts;
    std::unique_ptr<ObjectContext> context = SemestraRecords::newContext();
    Year* year = nullptr;
    std::optional<LessonContentController> controller;
    std::mt19937 random { 29 };
};

QList<UndoWalkTest::Command> UndoWalkTest::commands()
{
    return {
        { QStringLiteral("Typing"),
            [this] {
                Lesson* lesson = anyLesson();
                lesson->setValue(Lesson::richFieldKeys()[int(pick(6))], text(QStringLiteral("typed ")));
                return true;
            } },
        { QStringLiteral("Lesson Title"),
            [this] {
                anyLesson()->setValue(u"lessonTitle", QStringLiteral("Title %1").arg(pick(100)));
                return true;
            } },
        { QStringLiteral("Paste Lesson"),
            [this] {
                anyLesson()->importFromDictionary(anyLesson()->dictionaryForExport());
                return true;
            } },
        { QStringLiteral("Drop Lesson"), [this] { return controller->dropLesson(anyLesson(), anyLesson()); } },
        { QStringLiteral("Clear Lesson"),
            [this] {
                controller->clearLesson(anyLesson());
                return true;
            } },
        { QStringLiteral("Bump"),
            [this] {
                year->bumpLesson(anyLesson());
                return true;
            } },
        { QStringLiteral("Pull Back"),
            [this] {
                year->pullLessonsBack(anyLesson());
                return true;
            } },
        { QStringLiteral("Lock Lesson"),
            [this] {
                controller->toggleLock(anyLesson());
                return true;
            } },
        { QStringLiteral("New Unit"),
            [this] {
                Lesson* lesson = anyLesson();
                Unit* unit = lesson->course()->addUnitWithName(QStringLiteral("Unit %1").arg(pick(100)));
                lesson->setObject(u"unit", unit);
                return true;
            } },
        { QStringLiteral("Copy Unit"),
            [this] {
                Course* course = anyCourse();
                Unit* unit = pickFrom(course->unitsArray());
                return unit && course->makeCopyOfUnit(unit);
            } },
        { QStringLiteral("Delete Unit"),
            [this] {
                Course* course = anyCourse();
                Unit* unit = pickFrom(course->unitsArray());
                if (unit)
                    course->deleteUnit(unit);
                return unit != nullptr;
            } },
        { QStringLiteral("Make Holiday"),
            [this] {
                Day* day = anySchoolDayWithLessons();
                if (day)
                    day->turnIntoHoliday();
                return day != nullptr;
            } },
        { QStringLiteral("Cancel Day"),
            [this] {
                Day* day = anySchoolDayWithLessons();
                if (!day)
                    return false;
                year->bumpAllLessonsOnDay(day);
                day->turnIntoCancelledDay();
                return true;
            } },
        { QStringLiteral("Restore Day"),
            [this] {
                Day* day = anyNonSchoolDay();
                return day && day->restoreNonSchoolDay();
            } },
        { QStringLiteral("Custom Day"),
            [this] {
                Day* day = anySchoolDayWithLessons();
                Day* model = anySchoolDayWithLessons();
                if (day && model && day != model)
                    day->makeDayLikeDay(model);
                return day && model && day != model;
            } },
        { QStringLiteral("Convert Day"),
            [this] {
                Day* day = anySchoolDayWithLessons();
                return day && day->convertToWeekday(QStringLiteral("Wednesday"));
            } },
        { QStringLiteral("Add Course"),
            [this] {
                AddCourseController sheet(*year, alerts);
                sheet.windowDidLoad();
                sheet.setCourseNameText(QStringLiteral("Elective %1").arg(pick(1000)));
                for (qsizetype row = 0; row < sheet.rows().size(); row += 2)
                    sheet.setIncluded(row, true);
                return sheet.addCoursePressed();
            } },
        { QStringLiteral("Remove Course"),
            [this] {
                if (year->courses().size() < 4)
                    return false;
                year->removeCourse(anyCourse());
                return true;
            } },
        { QStringLiteral("Course Colour"),
            [this] {
                anyCourse()->setColor(QColor::fromHsv(int(pick(360)), 160, 220));
                return true;
            } },
        { QStringLiteral("Course Times"),
            [this] {
                CourseTimeController times(*year);
                times.createCourseTimeArray();
                const qsizetype row = qsizetype(pick(std::uint32_t(times.rows().size())));
                const QStringList& keys = times.columnKeys();
                times.setCellText(row, keys.value(0), QStringLiteral("%1:15 AM").arg(8 + pick(3)));
                times.setCellText(row, keys.value(1), QStringLiteral("11:%1 AM").arg(10 + pick(40)));
                times.applyChangesPressed();
                return true;
            } },
        { QStringLiteral("Insert Week at Beginning"), [this] { return year->insertWeekAtBeginning(); } },
        { QStringLiteral("Extend Year by One Week"), [this] { return year->extendYearByOneWeek(); } },
        { QStringLiteral("Add Assignment"),
            [this] {
                Assignment* assignment = anyLesson()->addAssignment();
                assignment->setValue(u"title", QStringLiteral("Worksheet %1").arg(pick(100)));
                return true;
            } },
        { QStringLiteral("Remove Assignment"),
            [this] {
                QList<Lesson*> lessons = year->getAllLessons();
                lessons.removeIf([](const Lesson* lesson) { return lesson->assignments().isEmpty(); });
                Lesson* lesson = pickFrom(lessons);
                Assignment* assignment = lesson ? lesson->assignments().constFirst() : nullptr;
                if (assignment)
                    assignment->remove();
                return assignment != nullptr;
            } },
        { QStringLiteral("Attach Link"),
            [this] {
                anyLesson()->addWebLinkWithURL(
                    QStringLiteral("https://example.org/%1").arg(pick(100)), QStringLiteral("Reading"));
                return true;
            } },
        { QStringLiteral("Remove Attachment"),
            [this] {
                Lesson* lesson = anyLesson();
                Attachment* attachment = pickFrom(lesson->attachments());
                if (attachment)
                    lesson->removeAttachment(attachment);
                return attachment != nullptr;
            } },
        { QStringLiteral("Link Standard"),
            [this] { return anyLesson()->addStandard(pickFrom(year->allStandards())) != nullptr; } },
        { QStringLiteral("Unlink Standard"),
            [this] {
                Lesson* lesson = anyLesson();
                StandardInLesson* link = pickFrom(lesson->objects<StandardInLesson>(u"standards"));
                if (link)
                    lesson->removeStandard(link);
                return link != nullptr;
            } },
        { QStringLiteral("Import Standards"),
            [this] {
                const QByteArray csv
                    = QStringLiteral("Measurement,MD,Measure lengths %1,MD.%1\n").arg(pick(50)).toUtf8();
                return StandardsImporter::importData(QStringLiteral("list.csv"), csv, *year).has_value();
            } },
        { QStringLiteral("Import Course"),
            [this] {
                const std::optional<CourseFile> file
                    = CourseFile::fromData(PropertyList::writeXml(anyCourse()->dictionaryForExport()));
                Course* target = anyCourse();
                return file && CourseImport(*year, *file, alerts).importIntoCourse(target, year->startDate());
            } },
        { QStringLiteral("Day Notes"),
            [this] {
                Day* day = anySchoolDayWithLessons();
                if (day)
                    day->setAttributedNotes(text(QStringLiteral("Assembly ")));
                return day != nullptr;
            } },
        { QStringLiteral("Field Title"),
            [this] {
                year->setValue(u"custom1Title", QStringLiteral("Materials %1").arg(pick(10)));
                return true;
            } },
        // Last, so that the first pass over every kind runs on a filled year.
        { QStringLiteral("Clear All Lessons"), [this] { return controller->clearAllLessons(*year); } },
    };
}

} // namespace

TEST_F(UndoWalkTest, UndoingEveryStepGivesBackTheStartAndRedoingThemTheEnd)
{
    const QStringList start = RecordSnapshot::take(*context);
    const QSet<QString> made = walk();
    for (const QString& name : expectedKinds())
        EXPECT_TRUE(made.contains(name)) << qPrintable(name) << " never changed the year";
    ASSERT_GE(context->undoHistory().undoCount(), size_t(stepsWanted));
    const QStringList end = RecordSnapshot::take(*context);

    EXPECT_EQ(undoAll(), stepsWanted);
    EXPECT_TRUE(matches(start, RecordSnapshot::take(*context)));
    EXPECT_EQ(redoAll(), stepsWanted);
    EXPECT_TRUE(matches(end, RecordSnapshot::take(*context)));
}

TEST_F(UndoWalkTest, SavesBetweenStepsKeepTheHistoryAndWriteExactlyWhatUndoAndRedoRestore)
{
    QTemporaryDir folder;
    const QString path = folder.filePath(QStringLiteral("walk.semestra"));
    ASSERT_TRUE(SqliteStore::save(*context, path).ok());
    auto fileRecords = [&] {
        EXPECT_TRUE(SqliteStore::save(*context, path).ok());
        const auto reopened = SqliteStore::open(path, context->model(), SemestraRecords::factory());
        return reopened ? RecordSnapshot::take(**reopened, RecordSnapshot::ListOrder::Sorted) : QStringList();
    };
    auto memoryRecords = [&] { return RecordSnapshot::take(*context, RecordSnapshot::ListOrder::Sorted); };
    const QStringList start = memoryRecords();
    walk([&](int step) {
        if (step % 25 == 0) {
            ASSERT_TRUE(SqliteStore::save(*context, path).ok());
        }
    });
    const QStringList end = memoryRecords();

    // Halfway back, across a save and a reopen.
    for (int step = 0; step < stepsWanted / 2; ++step)
        context->undoHistory().undo();
    EXPECT_TRUE(matches(memoryRecords(), fileRecords()));
    undoAll();
    EXPECT_TRUE(matches(start, fileRecords()));
    redoAll();
    EXPECT_TRUE(matches(end, fileRecords()));
}

TEST_F(UndoWalkTest, UndoingACancelledDayTakesItsDeletionsOffTheDeleteStack)
{
    const QStringList start = RecordSnapshot::take(*context);
    const QString stack = year->deleteStack();
    Day* day = anySchoolDayWithLessons();
    {
        UndoGroup group(*context, QStringLiteral("Cancel Day"));
        year->bumpAllLessonsOnDay(day);
        day->turnIntoCancelledDay();
    }
    ASSERT_NE(year->deleteStack(), stack);
    EXPECT_EQ(context->undoHistory().undoName(), QStringLiteral("Cancel Day"));

    context->undoHistory().undo();

    EXPECT_EQ(year->deleteStack(), stack);
    EXPECT_FALSE(day->isNonSchoolDay());
    EXPECT_TRUE(matches(start, RecordSnapshot::take(*context)));
    EXPECT_EQ(context->undoHistory().redoName(), QStringLiteral("Cancel Day"));
}
