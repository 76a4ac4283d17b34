#include "schedule/MigrateYearController.h"

#include "foundation/dates/LocalCalendar.h"
#include "model/Document.h"
#include "model/Year.h"
#include "testlib/FileHash.h"
#include "testlib/LocalDate.h"
#include "testlib/SchoolYear.h"
#include "testlib/ScriptedAlertPresenter.h"
#include "testlib/ScriptedFileChooser.h"

#include <QTemporaryDir>

#include <gtest/gtest.h>

namespace {

// Last year's plan saved as "Biology 2026.semestra".
class MigrateYearControllerTest : public testing::Test {
protected:
    MigrateYearControllerTest()
    {
        buildSchoolYear(document.context());
        file = folder.filePath(QStringLiteral("Biology 2026.semestra"));
        EXPECT_TRUE(document.saveAs(file).ok());
    }

    QTemporaryDir folder;
    ScriptedAlertPresenter alerts;
    ScriptedFileChooser files;
    Document document { alerts, files };
    QString file;
};

} // namespace

TEST_F(MigrateYearControllerTest, ThePickerStartsOnTheLastDayAndTheLabelShowsTheStart)
{
    MigrateYearController sheet(document, alerts);
    sheet.windowDidLoad();
    EXPECT_EQ(sheet.pickerDate(), document.getCurrentYear()->endDate());
    EXPECT_FALSE(sheet.currentStartText().isEmpty());
}

TEST_F(MigrateYearControllerTest, AfterMigratingTheDocumentIsUntitledAndLastYearsFileStaysAsItWas)
{
    const QByteArray before = fileHash(file);
    MigrateYearController sheet(document, alerts);
    sheet.windowDidLoad();
    sheet.setPickerDate(local(2027, 9, 8));
    alerts.answerNext(AlertDefaultReturn);
    sheet.migratePressed();

    ASSERT_EQ(alerts.shown().size(), 1);
    EXPECT_EQ(alerts.last().title, QStringLiteral("Migration Successful!"));
    EXPECT_EQ(
        alerts.last().message, QStringLiteral("Please do a File-->Save As to avoid writing over your existing file"));
    EXPECT_EQ(LocalCalendar::components(document.getCurrentYear()->startDate()).day, 5);
    EXPECT_TRUE(document.filePath().isEmpty());
    EXPECT_EQ(document.displayName(), QStringLiteral("Biology 2026"));
    EXPECT_FALSE(document.autosave());
    EXPECT_FALSE(document.save().ok());
    EXPECT_EQ(fileHash(file), before);

    const QString next = folder.filePath(QStringLiteral("Biology 2027.semestra"));
    ASSERT_TRUE(document.saveAs(next).ok());
    EXPECT_EQ(document.displayName(), QStringLiteral("Biology 2027"));
    EXPECT_EQ(fileHash(file), before);
}
