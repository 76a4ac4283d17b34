#include "foundation/pasteboard/Pasteboard.h"

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
