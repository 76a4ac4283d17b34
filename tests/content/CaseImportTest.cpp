#include "StandardsFixture.h"

#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

// Small frameworks built here: items given by code, parent code and, where
// wanted, a sequence number.
struct Item {
    QString code;
    QString parent;
    double sequence = -1;
};

class CaseImportTest : public StandardsFixture {
protected:
    static QJsonObject node(const QString& identifier)
    {
        return { { "identifier", identifier }, { "uri", "urn:" + identifier } };
    }

    QByteArray package(const QList<Item>& items, const QString& title = "State Math") const
    {
        QJsonArray cfItems;
        QJsonArray associations;
        for (const Item& item : items) {
            cfItems.append(QJsonObject { { "identifier", "id-" + item.code }, { "humanCodingScheme", item.code },
                { "fullStatement", "Text of " + item.code } });
            QJsonObject link { { "associationType", "isChildOf" }, { "originNodeURI", node("id-" + item.code) },
                { "destinationNodeURI", node(item.parent.isEmpty() ? "doc" : "id-" + item.parent) } };
            if (item.sequence >= 0)
                link.insert("sequenceNumber", item.sequence);
            associations.append(link);
            // Other kinds of association do not move anything.
            associations.append(QJsonObject { { "associationType", "isRelatedTo" },
                { "originNodeURI", node("id-" + item.code) }, { "destinationNodeURI", node("doc") } });
        }
        const QJsonObject root { { "CFDocument", QJsonObject { { "identifier", "doc" }, { "title", title } } },
            { "CFItems", cfItems }, { "CFAssociations", associations } };
        return QJsonDocument(root).toJson();
    }

    std::optional<StandardsImportReport> importBytes(const QByteArray& bytes, const QString& name = "framework.json")
    {
        return importFile(writeFile(name, bytes));
    }

    // The framework's own group, made for the items without a parent.
    Standard* frameworkGroup(const QString& title = "State Math") const
    {
        return year()->getStandardWithShortName(title, title);
    }
};

TEST_F(CaseImportTest, ItemsFollowTheirParentsToAnyDepthWhateverTheirOrderInTheFile)
{
    const auto report = importBytes(
        package({ { "A.1.a.i", "A.1.a" }, { "A.1.a", "A.1" }, { "B", {} }, { "A.1", "A" }, { "A", {} } }));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->added, 6);
    EXPECT_EQ(tree(), QStringLiteral("All Standards(State Math(A(A.1(A.1.a(A.1.a.i))),B))"));
    Standard* leaf = year()->getStandardWithShortName("A.1.a.i", "Text of A.1.a.i");
    ASSERT_NE(leaf, nullptr);
    EXPECT_EQ(leaf->object<Year>(u"year"), year());
}

TEST_F(CaseImportTest, AnItemWhoseParentIsMissingGoesUnderTheFrameworkGroup)
{
    importBytes(package({ { "A", {} }, { "X.1", "X" } }));
    EXPECT_EQ(tree(), QStringLiteral("All Standards(State Math(A,X.1))"));
}

TEST_F(CaseImportTest, SiblingsAreMadeInSequenceOrderThoseWithoutOneLast)
{
    importBytes(package({ { "c", {}, -1 }, { "b", {}, 2 }, { "a", {}, 1 }, { "d", {}, 3 } }));
    QStringList made;
    for (const Standard* standard : year()->allStandards()) {
        if (standard->parent() == frameworkGroup())
            made.append(standard->shortName());
    }
    EXPECT_EQ(made, (QStringList { "a", "b", "d", "c" }));
}

TEST_F(CaseImportTest, ImportingTheSameFrameworkTwiceAddsNothingTheSecondTime)
{
    const QByteArray framework = package({ { "A", {} }, { "A.1", "A" }, { "A.2", "A" } });
    importBytes(framework);
    const QString once = tree();
    const auto again = importBytes(framework);
    ASSERT_TRUE(again);
    EXPECT_EQ(again->added, 0);
    EXPECT_EQ(again->skipped, 4);
    EXPECT_EQ(tree(), once);
}

TEST_F(CaseImportTest, ItemsInALoopOfParentsAreRefusedAndNamed)
{
    const auto report = importBytes(package({ { "A", {} }, { "P", "Q" }, { "Q", "P" } }));
    ASSERT_TRUE(report);
    EXPECT_EQ(report->added, 2);
    EXPECT_EQ(report->refused, 2);
    EXPECT_TRUE(report->problems.join(' ').contains(QStringLiteral("P is part of a loop")));
}

TEST_F(CaseImportTest, AnItemWithoutACodeIsKnownByItsAbbreviation)
{
    const QByteArray json = R"({"CFDocument": {"identifier": "d", "title": "Science"},
        "CFItems": [{"identifier": "i1", "abbreviatedStatement": "Energy", "fullStatement": "Energy is conserved"},
                    {"identifier": "i2", "humanCodingScheme": "S.2"}],
        "CFAssociations": []})";
    const auto report = importBytes(json, "science.txt");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->refused, 1) << "an item without a statement";
    EXPECT_EQ(tree(), QStringLiteral("All Standards(Science(Energy))"));
}

TEST_F(CaseImportTest, TheSpreadsheetFormReadsHeadersLooselyAndParentsByCode)
{
    const QByteArray csv = "\xEF\xBB\xBF"
                           "Full Statement, human coding scheme,Is Child Of,Sequence Number\r\n"
                           "\"Number, and operations\",N,,1\r\n"
                           "Add within 10,N.2,N,2\r\n"
                           "Count to 100,N.1,N,1\r\n"
                           "Orphan,Z.1,Y,\r\n"
                           ",NOTEXT,N,\r\n";
    const auto report = importBytes(csv, "Grade 1.csv");
    ASSERT_TRUE(report);
    EXPECT_EQ(report->added, 5);
    EXPECT_EQ(report->refused, 1);
    EXPECT_EQ(tree(), QStringLiteral("All Standards(Grade 1(N(N.1,N.2),Z.1))"));
    EXPECT_NE(year()->getStandardWithShortName("N", "Number, and operations"), nullptr);
    const auto again = importBytes(csv, "Grade 1.csv");
    EXPECT_EQ(again->added, 0);
}

} // namespace
