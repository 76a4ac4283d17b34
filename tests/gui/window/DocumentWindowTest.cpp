#include "gui/window/DocumentWindow.h"

#include <gtest/gtest.h>

TEST(DocumentWindowTest, NewDocumentIsTitledUntitled)
{
    DocumentWindow window { QString() };
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Untitled"));
}

TEST(DocumentWindowTest, OpenedDocumentIsTitledAfterItsFileName)
{
    DocumentWindow window { QStringLiteral("/home/teacher/Plans/Grade 7 2026.semestra") };
    EXPECT_EQ(window.windowTitle(), QStringLiteral("Grade 7 2026.semestra"));
}
