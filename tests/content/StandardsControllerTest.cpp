#include "StandardsFixture.h"
#include "foundation/plist/PropertyList.h"
#include "testlib/ScriptedFileChooser.h"

#include <QStringEncoder>

namespace {

class StandardsControllerTest : public StandardsFixture {
protected:
    std::optional<StandardsImportReport> importCsv(const QByteArray& bytes, const QString& name = "list.csv")
    {
        return importFile(writeFile(name, bytes));
    }
    bool everyStandardHasTheYear() const
    {
        for (const Standard* standard : year()->allStandards()) {
            if (standard->object<Year>(u"year") != year())
                return false;
        }
        return true;
    }
};

TEST_F(StandardsControllerTest, FourFieldRowsMakeTheirGroupOnceAndCountARepeatedStandard)
{
    const QByteArray csv = "Number Sense,NS,Count to 100,NS.1\n"
                           "Number Sense,NS,Compare numbers,NS.2\n";
    const auto first = importCsv(csv);
    ASSERT_TRUE(first);
    EXPECT_EQ(first->added, 2);
    EXPECT_EQ(tree(), QStringLiteral("All Standards(NS(NS.1,NS.2))"));
    const auto second = importCsv(csv);
    EXPECT_EQ(second->added, 0);
    EXPECT_EQ(second->skipped, 2);
    EXPECT_EQ(standardCount(), 4);
    EXPECT_TRUE(everyStandardHasTheYear());
    EXPECT_EQ(alerts.last().title, QStringLiteral("Standards Imported"));
    EXPECT_TRUE(alerts.last().message.contains(QStringLiteral("Skipped as already there: 2")));
}

TEST_F(StandardsControllerTest, TwoOneAndThreeFieldRowsAreReadByTheirSize)
{
    const auto report = importCsv("RL.1, Ask and answer questions\n"
                                  "Reading Foundations\n"
                                  "too,many,fields\n"
                                  "RL.1,Again under the same code\n"
                                  "Reading Foundations\n");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->added, 2);
    EXPECT_EQ(report->skipped, 2);
    EXPECT_EQ(report->refused, 1);
    EXPECT_EQ(controller.added(), 2);
    EXPECT_EQ(controller.errors(), 1);
    EXPECT_TRUE(report->problems.first().contains(QStringLiteral("Row 3 has 3 fields")));
    // The pair makes a group coded RL.1 holding one standard of the same text.
    EXPECT_EQ(tree(), QStringLiteral("All Standards(,RL.1())"));
    Standard* group
        = year()->getStandardWithShortName(QStringLiteral("RL.1"), QStringLiteral("Ask and answer questions"));
    ASSERT_NE(group, nullptr);
    ASSERT_EQ(group->numberOfChildren(), 1);
    EXPECT_EQ(group->childAtIndex(0)->text(), QStringLiteral("Ask and answer questions"));
}

TEST_F(StandardsControllerTest, WindowsLineEndsAndTrailingBlankLinesImportLikePlainOnes)
{
    const QByteArray plain = "G,g,\"S, with comma\",s1\nG,g,Other,s2\n";
    QByteArray windows = plain;
    windows.replace("\n", "\r\n");
    windows += "\r\n\r\n";
    importCsv(plain);
    const QString plainTree = tree();
    root->sortedChildren().first()->deleteSelf();
    importCsv(windows);
    EXPECT_EQ(tree(), plainTree);
    EXPECT_NE(year()->getStandardWithShortName("s1", "S, with comma"), nullptr);
}

TEST_F(StandardsControllerTest, EncodingsAreRecognisedAndBinaryFilesAreRefusedWithNothingImported)
{
    QStringEncoder utf16(QStringConverter::Utf16LE, QStringConverter::Flag::WriteBom);
    importCsv(utf16.encode(QString::fromUtf8("Géométrie,GEO,Angles,G.1\n")));
    importCsv("\xEF\xBB\xBF"
              "Algebra,ALG,Equations,A.1\n");
    importCsv("Fran\xE7"
              "ais,FR,Lecture,F.1\n");
    EXPECT_NE(year()->getStandardWithShortName("GEO", QString::fromUtf8("Géométrie")), nullptr);
    EXPECT_NE(year()->getStandardWithShortName("ALG", "Algebra"), nullptr) << "the byte-order mark stays out";
    EXPECT_NE(year()->getStandardWithShortName("FR", QString::fromUtf8("Français")), nullptr);
    const int before = standardCount();
    EXPECT_FALSE(importCsv(QByteArray("PK\x03\x04\x00\x00binary", 14), "sheet.csv"));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Wrong Text Encoding"));
    EXPECT_EQ(standardCount(), before);
}

TEST_F(StandardsControllerTest, NamesMatchLiterallyIgnoringCaseAndAccentsButNotAsWildcards)
{
    standard("G3*", "Grade 3*", root);
    standard("GR", QString::fromUtf8("Résumé"), root);
    EXPECT_TRUE(controller.checkStringForStandard("grade 3*"));
    EXPECT_TRUE(controller.checkStringForStandard("resume"));
    EXPECT_FALSE(controller.checkStringForStandard("Grade 3"));
    EXPECT_FALSE(controller.checkStringForStandard("Grade 3 Math"));
    EXPECT_FALSE(controller.checkStringForStandard(""));
    // "Grade ?" must not pick up "Grade 3*" as its group.
    importCsv("Grade ?,G?,Read,R.1\n");
    EXPECT_EQ(controller.addStandardWithName("", "Grade 3*"), nullptr);
    EXPECT_EQ(year()->getStandardWithShortName("R.1", "Read")->parent()->shortName(), QStringLiteral("G?"));
}

TEST_F(StandardsControllerTest, AStandardsFileEntryWithAnUnknownParentGoesUnderTheRootAsAnError)
{
    const QVariantList entries {
        QVariantMap { { "text", "Top" }, { "shortName", "T" }, { "seed", "1" }, { "parent", "NONE" } },
        QVariantMap { { "text", "Child" }, { "shortName", "T.1" }, { "seed", "2" }, { "parent", "1" } },
        QVariantMap { { "text", "Lost" }, { "shortName", "L" }, { "seed", "3" }, { "parent", "99" } },
        // A parent that only comes later in the file is not found either.
        QVariantMap { { "text", "Early" }, { "shortName", "E" }, { "seed", "4" }, { "parent", "5" } },
        QVariantMap { { "text", "Late" }, { "shortName", "LT" }, { "seed", "5" }, { "parent", "NONE" } },
    };
    const auto report = importFile(writeFile("set.plist", PropertyList::writeXml(entries)));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->added, 5);
    EXPECT_EQ(report->errors(), 2);
    EXPECT_EQ(tree(), QStringLiteral("All Standards(E,L,LT,T(T.1))"));
    EXPECT_TRUE(everyStandardHasTheYear());
}

TEST_F(StandardsControllerTest, ExportedStandardsImportBackIntoTheSameTree)
{
    Standard* math = standard("M", "Math", root);
    standard("M.1", "Count", math);
    standard("M.1", "Count", standard("M.2", "Add", math));
    standard("E", "English", root);
    ScriptedFileChooser files;
    files.answerNext(folder.path());
    alerts.answerNext(AlertDefaultReturn);
    const QString path = controller.exportStandards(files);
    ASSERT_FALSE(path.isEmpty());
    EXPECT_EQ(files.folderPanels().first().title, QStringLiteral("Choose an Export Folder"));
    EXPECT_TRUE(QFileInfo(path).fileName().startsWith(QStringLiteral("Semestra Standards - ")));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Export Successful"));
    const QString exported = tree();

    for (Standard* top : root->children())
        top->deleteSelf();
    const auto report = importFile(path);
    ASSERT_TRUE(report);
    EXPECT_EQ(report->added, 5);
    EXPECT_EQ(report->errors(), 0);
    EXPECT_EQ(tree(), exported);
}

TEST_F(StandardsControllerTest, TheRootCannotBeRemovedAndLinkedStandardsAskFirst)
{
    EXPECT_FALSE(controller.removeStandardPressed());
    Standard* group = controller.addStandardPressed();
    EXPECT_EQ(group->parent(), root);
    EXPECT_EQ(group->text(), QStringLiteral("New Standard"));
    Standard* child = controller.addStandardPressed();
    EXPECT_EQ(child->parent(), group);
    lessons[0]->addStandard(child);
    lessons[1]->addStandard(child);
    lessons[1]->addStandard(group);
    controller.setEditedStandard(group);
    alerts.answerNext(AlertAlternateReturn);
    EXPECT_FALSE(controller.removeStandardPressed());
    EXPECT_TRUE(alerts.last().message.startsWith(QStringLiteral("2 lessons will lose")));
    EXPECT_TRUE(lessons[0]->hasStandard(child));
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_TRUE(controller.removeStandardPressed());
    EXPECT_EQ(controller.editedStandard(), root);
    EXPECT_EQ(tree(), QStringLiteral("All Standards"));
    EXPECT_TRUE(lessons[1]->objects(u"standards").isEmpty());
}

TEST_F(StandardsControllerTest, CancellingTheFileChooserImportsNothing)
{
    ScriptedFileChooser files;
    EXPECT_FALSE(controller.importFromCSV(files));
    EXPECT_TRUE(alerts.shown().isEmpty());
    EXPECT_EQ(standardCount(), 1);
}

} // namespace
