#include "foundation/random/RandomSource.h"

#include <gtest/gtest.h>

#include <set>
#include <vector>

namespace {

std::vector<std::uint32_t> draws(std::uint64_t seed, std::uint32_t bound, int count)
{
    RandomSource::shared().seed(seed);
    std::vector<std::uint32_t> values;
    for (int i = 0; i < count; ++i)
        values.push_back(RandomSource::shared().uniform(bound));
    return values;
}

} // namespace

TEST(RandomSourceTest, SameSeedGivesSameSequence)
{
    EXPECT_EQ(draws(42, 7, 50), draws(42, 7, 50));
    EXPECT_NE(draws(42, 1000, 50), draws(43, 1000, 50));
}

TEST(RandomSourceTest, DrawsStayInRangeAndReachEveryValue)
{
    const auto values = draws(7, 5, 500);
    const std::set<std::uint32_t> seen(values.begin(), values.end());
    EXPECT_EQ(seen, (std::set<std::uint32_t> { 0, 1, 2, 3, 4 }));
}

TEST(RandomSourceTest, DegenerateBoundsGiveZero)
{
    EXPECT_EQ(RandomSource::shared().uniform(0), 0u);
    EXPECT_EQ(RandomSource::shared().uniform(1), 0u);
}
