#include "exchange/ImportCourseController.h"

#include "ExchangeFixture.h"
#include "foundation/alerts/FileChooser.h"

#include <QDir>

class ImportCourseControllerTest : public ExchangeFixture {
protected:
    QStringList rowLabels() const
    {
        QStringList labels;
        for (const ImportScheduleRow& row : sheet.tableViewArray())
            labels.append(row.dayOfWeek);
        return labels;
    }
    QList<Day*> daysOnWeekday(int weekday) const
    {
        QList<Day*> result;
        for (Day* day : days) {
            if (day->actualDate().toQDateTime().date().dayOfWeek() == weekday)
                result.append(day);
        }
        return result;
    }

    ImportCourseController sheet { *year(), alerts };
};

TEST_F(ImportCourseControllerTest, TheSheetOpensOnTheYearsFirstDayAndNamesWhatTheFileHolds)
{
    EXPECT_EQ(ImportCourseController::openPanelRequest().allowedTypes, QStringList { QStringLiteral("plist") });
    EXPECT_EQ(ImportCourseController::openPanelRequest().directory, QDir::homePath());
    sheet.setFilePath(writeFile(courseRoot(QStringLiteral("Biology"), 4)));
    EXPECT_EQ(sheet.topText(), QStringLiteral("You are about to import a course named Biology containing 4 lessons"));
    EXPECT_EQ(sheet.addNewDate(), year()->startDate());
    EXPECT_EQ(sheet.addExistingDate(), year()->startDate());
    sheet.setAddExistingDate(year()->endDate().addingSeconds(86400 * 30));
    EXPECT_EQ(sheet.addExistingDate(), year()->endDate());
}

TEST_F(ImportCourseControllerTest, TheTableFollowsTheKindOfSchedule)
{
    sheet.setFilePath(writeFile(courseRoot(QStringLiteral("Biology"), 1)));
    EXPECT_EQ(rowLabels(), QStringList { QStringLiteral("All Days") });
    EXPECT_FALSE(sheet.tableIsConsulted());

    year()->setValue(u"typeOfSchedule", int(Year::WeeklyRepeating));
    sheet.setFilePath(sheet.filePath());
    EXPECT_EQ(rowLabels(), (QStringList { "Monday", "Tuesday", "Wednesday", "Thursday", "Friday" }));

    year()->setValue(u"typeOfSchedule", int(Year::Rotating));
    year()->setValue(u"repeatInterval", 3);
    sheet.setFilePath(sheet.filePath());
    EXPECT_EQ(rowLabels(), (QStringList { "A Day", "B Day", "C Day" }));
    for (const ImportScheduleRow& row : sheet.tableViewArray())
        EXPECT_TRUE(row.include);
}

TEST_F(ImportCourseControllerTest, ANewCourseMeetsOnTheTickedWeekdaysOnly)
{
    year()->setValue(u"typeOfSchedule", int(Year::WeeklyRepeating));
    sheet.setFilePath(writeFile(courseRoot(QStringLiteral("Biology"), 3)));
    for (qsizetype row = 0; row < sheet.tableViewArray().size(); ++row)
        sheet.setIncluded(row, sheet.tableViewArray()[row].dayOfWeek == u"Wednesday");
    EXPECT_EQ(sheet.daysForNewCourse(), daysOnWeekday(3));
    // Two Wednesdays for three lessons: the third is dropped.
    alerts.answerNext(AlertDefaultReturn);
    Course* course = sheet.importNewPressed();
    ASSERT_NE(course, nullptr);
    EXPECT_EQ(titles(course->allLessonsInOrder()), (QStringList { "L1", "L2" }));
    EXPECT_TRUE(posted.contains(QStringLiteral("SemestraCourseAdded")));
}

TEST_F(ImportCourseControllerTest, AFileThatCannotBeReadIsToldAndImportsNothing)
{
    const QString path = folder.filePath(QStringLiteral("broken.plist"));
    QFile broken(path);
    ASSERT_TRUE(broken.open(QIODevice::WriteOnly));
    broken.write("<?xml version=\"1.0\"?><plist><dict><key>courseName</key>");
    broken.close();
    sheet.setFilePath(path);
    EXPECT_FALSE(sheet.hasReadableFile());
    EXPECT_TRUE(sheet.topText().contains(QStringLiteral("broken.plist")));
    const qsizetype courses = year()->courses().size();
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(sheet.importNewPressed(), nullptr);
    EXPECT_FALSE(sheet.importExistingPressed());
    ASSERT_EQ(alerts.shown().size(), 2);
    EXPECT_EQ(alerts.last().title, QStringLiteral("The course could not be imported"));
    EXPECT_EQ(year()->courses().size(), courses);
    EXPECT_FALSE(posted.contains(QStringLiteral("SemestraCourseAdded")));
}

TEST_F(ImportCourseControllerTest, TheImportUsesTheFileAsItWasWhenTheSheetOpened)
{
    const QString path = writeFile(courseRoot(QStringLiteral("Biology"), 2));
    sheet.setFilePath(path);
    writeFile(courseRoot(QStringLiteral("Changed"), 9));
    sheet.setChosenCourse(art);
    sheet.setAddExistingDate(days[8]->actualDate());
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(sheet.importExistingPressed());
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(titles(artLessons).mid(7), (QStringList { "", "L1", "L2" }));
}
