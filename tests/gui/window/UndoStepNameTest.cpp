#include "gui/window/UndoStepName.h"

#include <QCheckBox>
#include <QDialog>
#include <QPushButton>
#include <QWidget>

#include <gtest/gtest.h>

namespace {

TEST(UndoStepNameTest, AControlTakesTheNameOfTheNearestOwnerThatHasOne)
{
    QWidget window;
    auto* panel = new QWidget(&window);
    auto* button = new QPushButton(QStringLiteral("Remove"), panel);
    EXPECT_TRUE(UndoStepName::of(button).isEmpty());
    UndoStepName::set(&window, QStringLiteral("Window Command"));
    UndoStepName::set(panel, QStringLiteral("Remove Attachment"));
    EXPECT_EQ(UndoStepName::of(button), QStringLiteral("Remove Attachment"));
    UndoStepName::set(button, QStringLiteral("Remove Assignment"));
    EXPECT_EQ(UndoStepName::of(button), QStringLiteral("Remove Assignment"));
}

// A sheet's controls are its own commands, whatever the window behind it is called.
TEST(UndoStepNameTest, TheLookStopsAtTheSheet)
{
    QWidget window;
    UndoStepName::set(&window, QStringLiteral("Window Command"));
    auto* sheet = new QDialog(&window);
    auto* ok = new QPushButton(QStringLiteral("OK"), sheet);
    EXPECT_TRUE(UndoStepName::of(ok).isEmpty());
    UndoStepName::set(sheet, QStringLiteral("Cancel Day"));
    EXPECT_EQ(UndoStepName::of(ok), QStringLiteral("Cancel Day"));
}

TEST(UndoStepNameTest, AToggleIsNamedAfterWhatTheNextClickDoes)
{
    QCheckBox lock(QStringLiteral("Locked"));
    UndoStepName::setForToggle(&lock, QStringLiteral("Lock Lesson"), QStringLiteral("Unlock Lesson"));
    EXPECT_EQ(UndoStepName::of(&lock), QStringLiteral("Lock Lesson"));
    lock.setChecked(true);
    EXPECT_EQ(UndoStepName::of(&lock), QStringLiteral("Unlock Lesson"));
}

TEST(UndoStepNameTest, DropsAndOtherInputAreNamedApart)
{
    QWidget table;
    auto* viewport = new QWidget(&table);
    UndoStepName::set(&table, QStringLiteral("Rename Attachment"));
    UndoStepName::setForDrop(&table, QStringLiteral("Attach Files"));
    EXPECT_EQ(UndoStepName::of(viewport), QStringLiteral("Rename Attachment"));
    EXPECT_EQ(UndoStepName::ofDrop(viewport), QStringLiteral("Attach Files"));
    QWidget plain;
    EXPECT_TRUE(UndoStepName::ofDrop(&plain).isEmpty());
}

} // namespace
