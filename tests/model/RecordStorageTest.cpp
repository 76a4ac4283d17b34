#include "ModelFixture.h"
#include "model/Course.h"
#include "model/Day.h"
#include "model/Lesson.h"
#include "model/MyCourse.h"
#include "model/Week.h"
#include "model/Year.h"
#include "store/SemestraEntityModel.h"
#include "store/SqliteStore.h"

#include <QTemporaryDir>

#include <sqlite3.h>

using RecordStorageTest = ModelFixture;

// Records come back from a file as their own classes, with their links.
TEST_F(RecordStorageTest, ReopenedRecordsAreTheirClassesAgain)
{
    auto* year = insert<Year>("Year");
    auto* week = insert<Week>("Week");
    auto* day = insert<Day>("Day");
    auto* course = insert<MyCourse>("MyCourse");
    auto* lesson = insert<Lesson>("Lesson");
    week->setObject(u"year", year);
    day->setObject(u"week", week);
    course->setObject(u"year", year);
    course->setColor(QColor(200, 40, 90));
    lesson->setObject(u"dayTaught", day);
    lesson->setObject(u"course", course);
    lesson->setValue(u"lessonBody", QByteArray("{\\rtf1\\ansi Photosynthesis}"));

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("year.semestra"));
    ASSERT_TRUE(SqliteStore::save(*context, file).ok());
    auto reopened = SqliteStore::open(file, SemestraEntityModel::shared(), SemestraRecords::factory());
    ASSERT_TRUE(reopened.ok()) << reopened.error().toStdString();

    const QList<Lesson*> lessons = reopened.value()->fetch<Lesson>({ QStringLiteral("Lesson"), {}, {} });
    ASSERT_EQ(lessons.size(), 1);
    EXPECT_EQ(lessons[0]->value<QString>(u"lessonBodyString"), QStringLiteral("Photosynthesis"));
    ASSERT_NE(lessons[0]->course(), nullptr);
    EXPECT_NE(dynamic_cast<MyCourse*>(lessons[0]->course()), nullptr);
    EXPECT_EQ(lessons[0]->course()->color(), QColor(200, 40, 90));
    ASSERT_NE(lessons[0]->year(), nullptr);
    EXPECT_EQ(lessons[0]->year()->myCourses().size(), 1);
}

// The Windows edition reads a course's colour from the exchange layout's
// component columns, so they must hold what the teacher chose.
TEST_F(RecordStorageTest, CourseColoursSurviveASaveInTheArchiveAndTheExchangeColumns)
{
    auto* course = insert<MyCourse>("MyCourse");
    course->setValue(u"courseName", QStringLiteral("Art"));
    course->setColor(QColor(0x12, 0xab, 0xfe));
    course->setRGBColors();

    QTemporaryDir folder;
    const QString file = folder.filePath(QStringLiteral("year.semestra"));
    ASSERT_TRUE(SqliteStore::save(*context, file).ok());

    sqlite3* database = nullptr;
    ASSERT_EQ(sqlite3_open_v2(file.toUtf8().constData(), &database, SQLITE_OPEN_READONLY, nullptr), SQLITE_OK);
    sqlite3_stmt* statement = nullptr;
    ASSERT_EQ(
        sqlite3_prepare_v2(database, "SELECT ZRED, ZGREEN, ZBLUE FROM ZCOURSE", -1, &statement, nullptr), SQLITE_OK);
    ASSERT_EQ(sqlite3_step(statement), SQLITE_ROW);
    EXPECT_EQ(sqlite3_column_int(statement, 0), 0x12);
    EXPECT_EQ(sqlite3_column_int(statement, 1), 0xab);
    EXPECT_EQ(sqlite3_column_int(statement, 2), 0xfe);
    sqlite3_finalize(statement);
    sqlite3_close(database);

    auto reopened = SqliteStore::open(file, SemestraEntityModel::shared(), SemestraRecords::factory());
    ASSERT_TRUE(reopened.ok());
    auto* again = reopened.value()->fetch<Course>({ QStringLiteral("Course"), {}, {} }).first();
    EXPECT_EQ(again->color(), QColor(0x12, 0xab, 0xfe));
    // Without the archive, as a Windows-edition file has it, the components give the same colour.
    again->setValue(u"colorData", QVariant());
    EXPECT_EQ(again->color(), QColor(0x12, 0xab, 0xfe));
}
