#include "content/LibraryController.h"

#include "ContentFixture.h"
#include "foundation/plist/PropertyList.h"
#include "model/LessonDictionary.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

namespace {

class LibraryControllerTest : public ContentFixture {
protected:
    QString libraryPath() const { return QDir(folder.path()).filePath("deeper/still/library.plist"); }
    void send(int place, const QString& title)
    {
        lessons[place]->setValue(u"lessonTitle", title);
        ASSERT_TRUE(LibraryController::sendToLibrary(*lessons[place], alerts, libraryPath()));
    }
    QVariantMap fileContents() const { return PropertyList::readFile(libraryPath())->toMap(); }
    QStringList shownTitles() const
    {
        QStringList titles;
        for (int row = 0; row < library.rowCount(); ++row)
            titles.append(library.titleAt(row));
        return titles;
    }

    QTemporaryDir folder;
    LibraryController library { alerts, libraryPath() };
};

TEST_F(LibraryControllerTest, TheFirstLessonSentMakesTheFolderAndAFileWithKeyZero)
{
    send(0, "Fractions");
    const QVariantMap contents = fileContents();
    EXPECT_EQ(contents.keys(), QStringList { "0" });
    EXPECT_EQ(contents.value("0").toMap().value("position").toLongLong(), 0);
    EXPECT_EQ(contents.value("0").toMap().value("lessonTitle"), "Fractions");
    EXPECT_TRUE(postedWithoutObject.contains(QStringLiteral("SemestraRefreshLibrary")));
}

TEST_F(LibraryControllerTest, EntriesAreSortedByTitleIgnoringCaseThenByTheOrderAdded)
{
    send(0, "beta");
    send(1, "Alpha");
    send(2, "Beta");
    library.reload();
    EXPECT_EQ(shownTitles(), (QStringList { "Alpha", "beta", "Beta" }));
    EXPECT_EQ(library.selectedRow(), 0);
    EXPECT_TRUE(library.removeEnabled());
}

TEST_F(LibraryControllerTest, RemovingTheMiddleOfThreeLeavesKeysZeroAndOneInTitleOrder)
{
    send(0, "C");
    send(1, "B");
    send(2, "A");
    library.reload();
    library.selectRow(1);
    ASSERT_TRUE(library.removeSelected());
    const QVariantMap contents = fileContents();
    EXPECT_EQ(contents.keys(), (QStringList { "0", "1" }));
    EXPECT_EQ(contents.value("0").toMap().value("lessonTitle"), "A");
    EXPECT_EQ(contents.value("1").toMap().value("lessonTitle"), "C");
    EXPECT_EQ(contents.value("1").toMap().value("position").toLongLong(), 1);
}

TEST_F(LibraryControllerTest, RemovingWhileFilteredRemovesTheEntryShown)
{
    send(0, "Apples");
    send(1, "Bananas");
    send(2, "Cherries");
    library.reload();
    library.setSearchText("Cherr");
    ASSERT_EQ(shownTitles(), QStringList { "Cherries" });
    library.selectRow(0);
    library.removeSelected();
    library.setSearchText({});
    EXPECT_EQ(shownTitles(), (QStringList { "Apples", "Bananas" }));
}

TEST_F(LibraryControllerTest, TheFilterIsCaseSensitiveAndAnEmptyResultSaysWhy)
{
    library.reload();
    EXPECT_TRUE(library.tableHidden());
    EXPECT_EQ(library.statusText(), QStringLiteral("No Library Lessons Found"));
    EXPECT_FALSE(library.removeEnabled());
    send(0, "Photosynthesis");
    library.reload();
    library.setSearchText("photo");
    EXPECT_TRUE(library.tableHidden());
    EXPECT_EQ(library.statusText(), QStringLiteral("No Library Lessons Match Query"));
    library.setSearchText("Photo");
    EXPECT_EQ(library.rowCount(), 1);
}

TEST_F(LibraryControllerTest, AnEmptyTitleIsStoredEmptyAndOnlyShownAsThePlaceholder)
{
    send(0, "Named");
    library.reload();
    ASSERT_TRUE(library.setTitle(0, QString()));
    EXPECT_EQ(library.titleAt(0), QStringLiteral("No Title Provided"));
    EXPECT_EQ(fileContents().value("0").toMap().value("lessonTitle").toString(), QString());
    // Dropped onto a lesson, the entry gives it no made-up title.
    const std::optional<QVariantMap> dragged = LessonDictionary::fromText(library.dragText(0));
    ASSERT_TRUE(dragged);
    lessons[5]->importFromDictionary(*dragged);
    EXPECT_FALSE(lessons[5]->hasTitle());
}

TEST_F(LibraryControllerTest, ADraggedEntryCarriesTheLessonContent)
{
    fill(lessons[3], "Volcanoes");
    ASSERT_TRUE(LibraryController::sendToLibrary(*lessons[3], alerts, libraryPath()));
    library.reload();
    const std::optional<QVariantMap> dragged = LessonDictionary::fromText(library.dragText(0));
    ASSERT_TRUE(dragged);
    artLessons[7]->importFromDictionary(*dragged);
    EXPECT_EQ(artLessons[7]->lessonTitle(), QStringLiteral("Volcanoes"));
    EXPECT_EQ(artLessons[7]->value<QString>(u"homeworkString"), QStringLiteral("Volcanoes homework"));
}

TEST_F(LibraryControllerTest, AnUnreadableLibraryIsReportedAndNeverOverwritten)
{
    QDir().mkpath(QFileInfo(libraryPath()).absolutePath());
    QFile file(libraryPath());
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    const QByteArray damaged = "<?xml version=\"1.0\"?><plist><dict><key>0</key><dict><key>lesson";
    file.write(damaged);
    file.close();
    lessons[0]->setValue(u"lessonTitle", QStringLiteral("New"));
    alerts.answerNext(AlertDefaultReturn);
    alerts.answerNext(AlertDefaultReturn);
    EXPECT_FALSE(LibraryController::sendToLibrary(*lessons[0], alerts, libraryPath()));
    EXPECT_EQ(alerts.last().title, QStringLiteral("Library Unreadable"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), damaged);
    library.reload();
    EXPECT_EQ(library.rowCount(), 0);
    EXPECT_EQ(alerts.shown().size(), 2);
}

} // namespace
