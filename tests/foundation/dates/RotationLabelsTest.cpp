#include "foundation/dates/RotationLabels.h"

#include <gtest/gtest.h>

using RotationLabels::Numbering;

TEST(RotationLabelsTest, LettersContinuePastZWithTheFollowingCharacters)
{
    EXPECT_EQ(RotationLabels::typeOfDayLetter(0), QStringLiteral("A Day"));
    EXPECT_EQ(RotationLabels::typeOfDayLetter(1), QStringLiteral("B Day"));
    EXPECT_EQ(RotationLabels::typeOfDayLetter(25), QStringLiteral("Z Day"));
    EXPECT_EQ(RotationLabels::typeOfDayLetter(26), QStringLiteral("[ Day"));
    EXPECT_EQ(RotationLabels::rotationLabel(2, Numbering::Letters), QStringLiteral("C Day"));
}

TEST(RotationLabelsTest, NumbersCountFromOne)
{
    EXPECT_EQ(RotationLabels::rotationLabel(0, Numbering::Numbers), QStringLiteral("Day 1"));
    EXPECT_EQ(RotationLabels::rotationLabel(26, Numbering::Numbers), QStringLiteral("Day 27"));
}
