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
