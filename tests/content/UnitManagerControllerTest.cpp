#include "ContentFixture.h"
#include "content/UnitManagerController.h"
#include "foundation/dates/Clock.h"
#include "foundation/plist/PropertyList.h"

#include <QDir>
#include <QFileInfo>
#include <QTemporaryDir>

namespace {

class UnitManagerControllerTest : public ContentFixture {
protected:
    UnitManagerControllerTest()
    {
        manager.setYear(year());
        manager.selectCourse(math);
    }

    UnitManagerController manager { alerts };
    QTemporaryDir folder;
};

QStringList names(const QList<Unit*>& units)
{
    QStringList result;
    for (const Unit* unit : units)
        result.append(unit->unitName());
    return result;
}

} // namespace

TEST_F(UnitManagerControllerTest, AddedUnitsTakeTheFirstFreeCounter)
{
    manager.addUnit();
    manager.addUnit();
    math->addUnitWithName(QStringLiteral("new unit 3"));
    manager.addUnit();
    EXPECT_EQ(names(manager.units()),
        QStringList({ "New Unit", "New Unit 1", "New Unit 2", "new unit 3" }));
    EXPECT_TRUE(postedWithoutObject.contains(QStringLiteral("SMNewUnitAdded")));
}

TEST_F(UnitManagerControllerTest, CoursesComeFromTheYearAndUnitsFromTheChosenCourse)
{
    EXPECT_EQ(manager.courses().size(), 2);
    art->addUnitWithName(QStringLiteral("Colour"));
    manager.selectCourse(art);
    EXPECT_EQ(names(manager.units()), QStringList({ "Colour" }));
}

TEST_F(UnitManagerControllerTest, RenameToAnotherUnitsNameIsRefused)
{
    Unit* first = manager.addUnit();
    manager.addUnit();
    EXPECT_FALSE(manager.renameUnit(first, QStringLiteral("NEW UNIT 1")));
    EXPECT_TRUE(manager.renameUnit(first, QStringLiteral("Fractions")));
    EXPECT_EQ(names(manager.units()), QStringList({ "Fractions", "New Unit 1" }));
}

TEST_F(UnitManagerControllerTest, DeletedUnitIsGoneAndItsLessonsKeepContent)
{
    Unit* unit = unitOf({ 1, 2 }, QStringLiteral("Gone"));
    manager.deleteUnit(unit);
    EXPECT_TRUE(manager.units().isEmpty());
    EXPECT_TRUE(year()->allUnits().isEmpty());
    EXPECT_EQ(titles(lessons.mid(1, 2)), QStringList({ "U1", "U2" }));
}

TEST_F(UnitManagerControllerTest, ExportWritesTheUnitsLessonsInOrder)
{
    const Unit* unit = unitOf({ 6, 2 }, QStringLiteral("Ratios"));
    Clock::setFixedNow(days[0]->actualDate().addingSeconds(9 * 3600 + 5 * 60 + 7));
    alerts.answerNext(AlertDefaultReturn);
    const QString path = manager.exportUnit(unit, folder.path());
    Clock::setFixedNow(std::nullopt);
    EXPECT_EQ(QFileInfo(path).fileName(), QStringLiteral("Math-957.plist"));
    EXPECT_EQ(alerts.last().title, QStringLiteral("The unit Ratios was successfully exported"));
    EXPECT_EQ(alerts.last().message,
        QStringLiteral("You can find the 2 lessons in the exported course in a file named Math-957.plist in the "
                       "folder you chose."));
    const QVariantMap root = PropertyList::readFile(path)->toMap();
    const QVariantList exported = root.value(QStringLiteral("lessons")).toList();
    ASSERT_EQ(exported.size(), 2);
    EXPECT_EQ(exported[0].toMap().value(QStringLiteral("lessonTitle")), QVariant(QStringLiteral("U2")));
    EXPECT_EQ(root.value(QStringLiteral("units")).toStringList(), QStringList({ "Ratios" }));
}

TEST_F(UnitManagerControllerTest, ExportNeverEscapesTheFolderNorReplacesAFile)
{
    math->setValue(u"courseName", QStringLiteral("Math/../Art"));
    const Unit* unit = unitOf({ 0 }, QStringLiteral("U"));
    Clock::setFixedNow(days[0]->actualDate().addingSeconds(9 * 3600));
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    const QString first = manager.exportUnit(unit, folder.path());
    const QString second = manager.exportUnit(unit, folder.path());
    Clock::setFixedNow(std::nullopt);
    EXPECT_EQ(QFileInfo(first).fileName(), QStringLiteral("Math_.._Art-900.plist"));
    EXPECT_EQ(QFileInfo(second).fileName(), QStringLiteral("Math_.._Art-900 2.plist"));
    EXPECT_EQ(QFileInfo(first).absolutePath(), QDir(folder.path()).absolutePath());
    EXPECT_EQ(QDir(folder.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(UnitManagerControllerTest, FailedExportIsReportedNotCelebrated)
{
    const Unit* unit = unitOf({ 0 }, QStringLiteral("U"));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(manager.exportUnit(unit, folder.filePath(QStringLiteral("missing"))).isEmpty());
    EXPECT_EQ(alerts.last().title, QStringLiteral("The unit U could not be exported"));
}
