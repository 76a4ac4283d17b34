#include "testlib/ScriptedAlertPresenter.h"

#include <gtest/gtest.h>

TEST(AlertPresenterTest, InformShowsOneOkButton)
{
    ScriptedAlertPresenter presenter({ AlertDefaultReturn });
    presenter.inform(QStringLiteral("Invalid Date"), QStringLiteral("The end date must be after the start date."));
    ASSERT_EQ(presenter.shown().size(), 1);
    EXPECT_EQ(presenter.last().title, QStringLiteral("Invalid Date"));
    EXPECT_EQ(presenter.last().defaultButton, QStringLiteral("OK"));
    EXPECT_TRUE(presenter.last().alternateButton.isEmpty());
}
