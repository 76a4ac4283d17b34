#include "ExchangeFixture.h"
#include "exchange/ExportCourseController.h"
#include "foundation/color/ColorArchive.h"
#include "testlib/ScriptedFileChooser.h"

#include <QDir>
#include <QFileInfo>

class CourseExportTest : public ExchangeFixture {
protected:
    CourseExportTest()
    {
        for (int i = 0; i < lessons.size(); ++i)
            fill(lessons[i], QStringLiteral("M%1").arg(i));
        sheet.windowDidLoad();
        sheet.setSelectedCourseName(QStringLiteral("Math"));
    }

    QVariantMap exported(const QString& path) const { return PropertyList::readFile(path)->toMap(); }
    QStringList exportedTitles(const QString& path) const
    {
        QStringList result;
        for (const QVariant& entry : exported(path).value(QStringLiteral("lessons")).toList())
            result.append(entry.toMap().value(QStringLiteral("lessonTitle")).toString());
        return result;
    }

    ScriptedFileChooser files;
    ExportCourseController sheet { *year(), alerts, files };
};

TEST_F(CourseExportTest, ARangeHoldsTheLessonsOfItsFirstAndLastChosenDays)
{
    // Days 2 to 4 of the first week, given as noon to see that only the
    // calendar day counts.
    sheet.dateChanged(days[2]->actualDate().addingSeconds(12 * 3600), days[4]->actualDate().addingSeconds(12 * 3600));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_EQ(sheet.range(), ExportCourseController::Range::DateRange);
    const QString path = sheet.exportToFolder(folder.path());
    EXPECT_EQ(exportedTitles(path), (QStringList { "M2", "M3", "M4" }));
    EXPECT_EQ(titles(math->lessonsInOrderFrom(days[9]->actualDate(), days[9]->actualDate())), QStringList { "M9" });
}

TEST_F(CourseExportTest, TheWholeCourseIsWrittenInOrderWithItsColour)
{
    math->setColor(QColor(0xc2, 0x45, 0x3c));
    sheet.dateChanged(days[2]->actualDate(), days[2]->actualDate());
    sheet.setRange(ExportCourseController::Range::EntireCourse);
    files.answerNext(folder.path());
    alerts.answerNext(AlertDefaultReturn);
    const QString path = sheet.exportPressed();
    ASSERT_EQ(files.folderPanels().size(), 1);
    EXPECT_EQ(files.folderPanels()[0].title, QStringLiteral("Choose an Export Folder"));
    EXPECT_EQ(exportedTitles(path), titles(lessons));
    const QVariantMap root = exported(path);
    EXPECT_EQ(root.value(QStringLiteral("courseName")).toString(), QStringLiteral("Math"));
    EXPECT_EQ(ColorArchive::unarchive(root.value(QStringLiteral("colorData")).toByteArray())->rgb(),
        QColor(0xc2, 0x45, 0x3c).rgb());
    EXPECT_EQ(alerts.last().title, QStringLiteral("The course Math was successfully exported"));
}

TEST_F(CourseExportTest, ARangeWithoutLessonsWritesEmptyListsAndSaysSo)
{
    // The weekend between the two weeks.
    const Date saturday = days[4]->actualDate().nextDay();
    sheet.dateChanged(saturday, saturday.nextDay());
    clock.set(days[0]->actualDate().addingSeconds(9 * 3600 + 5 * 60 + 7));
    alerts.answerNext(AlertDefaultReturn);
    const QString path = sheet.exportToFolder(folder.path());
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("Math-957.plist"));
    const QVariantMap root = exported(path);
    EXPECT_EQ(root.value(QStringLiteral("lessons")).toList(), QVariantList());
    EXPECT_EQ(root.value(QStringLiteral("units")).toList(), QVariantList());
    EXPECT_EQ(alerts.last().message,
        QStringLiteral("You can find the 0 lessons in the exported course in a file named Math-957.plist in the folder "
                       "you chose"));
}

TEST_F(CourseExportTest, ASlashInTheNameBecomesAnUnderscoreOnlyInTheFileName)
{
    math->setValue(u"courseName", QStringLiteral("Math 7/8"));
    sheet.setSelectedCourseName(QStringLiteral("Math 7/8"));
    clock.set(days[0]->actualDate().addingSeconds(14 * 3600));
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    const QString first = sheet.exportToFolder(folder.path());
    const QString second = sheet.exportToFolder(folder.path());
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("Math 7_8-1400.plist"));
    EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("Math 7_8-1400 2.plist"));
    EXPECT_EQ(exported(first).value(QStringLiteral("courseName")).toString(), QStringLiteral("Math 7/8"));
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(CourseExportTest, AFailedWriteIsReportedAndACancelledChooserWritesNothing)
{
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(sheet.exportToFolder(folder.filePath(QStringLiteral("missing"))).isEmpty());
    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("The course Math could not be exported"));

    files.answerNext(std::nullopt);
    EXPECT_TRUE(sheet.exportPressed().isEmpty());
    EXPECT_EQ(alerts.shown().size(), 1);
    EXPECT_TRUE(QDir(folder.path()).entryList(QDir::Files).isEmpty());
}

TEST_F(CourseExportTest, UnitsAreListedOnceInTheOrderTheyFirstOccur)
{
    unitOf({ 4, 1 }, QStringLiteral("Ratios"));
    unitOf({ 2, 6 }, QStringLiteral("Angles"));
    const QVariantMap root = math->dictionaryForExport();
    EXPECT_EQ(root.value(QStringLiteral("units")).toStringList(), (QStringList { "Ratios", "Angles" }));
    const QVariantList entries = root.value(QStringLiteral("lessons")).toList();
    EXPECT_FALSE(entries[0].toMap().contains(QStringLiteral("unit")));
    EXPECT_EQ(entries[6].toMap().value(QStringLiteral("unit")).toString(), QStringLiteral("Angles"));
}

TEST_F(CourseExportTest, ProgressCountsUpToTheLessonsWritten)
{
    QList<qsizetype> heard;
    sheet.setProgress([&](qsizetype written, qsizetype total) {
        EXPECT_EQ(total, lessons.size());
        heard.append(written);
    });
    alerts.answerNext(AlertDefaultReturn);
    sheet.exportToFolder(folder.path());
    ASSERT_EQ(heard.size(), lessons.size());
    EXPECT_EQ(heard.first(), 1);
    EXPECT_EQ(heard.last(), lessons.size());
}
