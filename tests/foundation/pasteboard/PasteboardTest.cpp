#include "foundation/pasteboard/Pasteboard.h"

#include <QClipboard>
#include <QGuiApplication>
#include <QMimeData>

#include <gtest/gtest.h>

TEST(PasteboardTest, NamedPasteboardsAreSharedByNameAndSeparate)
{
    Pasteboard& lessons = Pasteboard::named(QStringLiteral("TestLessonPboard"));
    Pasteboard& standards = Pasteboard::named(QStringLiteral("TestStandardsPboard"));
    lessons.clearContents();
    standards.clearContents();

    lessons.setString(QStringLiteral("{ lessonTitle = Fractions; }"));
    EXPECT_EQ(&Pasteboard::named(QStringLiteral("TestLessonPboard")), &lessons);
    EXPECT_EQ(
        Pasteboard::named(QStringLiteral("TestLessonPboard")).string(), QStringLiteral("{ lessonTitle = Fractions; }"));
    EXPECT_TRUE(standards.string().isEmpty());
    EXPECT_FALSE(standards.hasType(Pasteboard::StringType));
}

TEST(PasteboardTest, TypesAreKeptApartAndEveryChangeCounts)
{
    Pasteboard& board = Pasteboard::named(QStringLiteral("TestTypesPboard"));
    const int before = board.changeCount();
    board.setString(QStringLiteral("é ü"));
    board.setData(QByteArray("\x00\x01", 2), QStringLiteral("application/x-semestra-lesson"));
    EXPECT_EQ(board.changeCount(), before + 2);
    EXPECT_EQ(board.string(), QStringLiteral("é ü"));
    EXPECT_EQ(board.data(QStringLiteral("application/x-semestra-lesson")), QByteArray("\x00\x01", 2));

    board.clearContents();
    EXPECT_EQ(board.changeCount(), before + 3);
    EXPECT_TRUE(board.types().isEmpty());
}

TEST(PasteboardTest, GeneralPasteboardIsTheDesktopsClipboard)
{
    Pasteboard& general = Pasteboard::general();
    EXPECT_EQ(&Pasteboard::general(), &general);
    general.setItems({ { QStringLiteral("application/x-semestra-test"), QByteArray("\x01\x02", 2) },
        { Pasteboard::StringType, QStringLiteral("Brüche").toUtf8() } });
    const QMimeData* held = QGuiApplication::clipboard()->mimeData();
    EXPECT_EQ(held->data(QStringLiteral("application/x-semestra-test")), QByteArray("\x01\x02", 2));
    EXPECT_EQ(held->text(), QStringLiteral("Brüche"));

    // A copy made elsewhere replaces everything, and counts as a change.
    const int before = general.changeCount();
    QGuiApplication::clipboard()->setText(QStringLiteral("from an editor"));
    EXPECT_EQ(general.changeCount(), before + 1);
    EXPECT_FALSE(general.hasType(QStringLiteral("application/x-semestra-test")));
    EXPECT_EQ(general.string(), QStringLiteral("from an editor"));

    general.setData(QByteArray("x"), QStringLiteral("application/x-semestra-test"));
    EXPECT_EQ(general.string(), QStringLiteral("from an editor")) << "adding an item keeps the others";
    general.clearContents();
    EXPECT_TRUE(general.types().isEmpty());
    EXPECT_FALSE(
        Pasteboard::named(QStringLiteral("TestLessonPboard")).hasType(QStringLiteral("application/x-semestra-test")));
}
