#include "foundation/random/RandomSource.h"

RandomSource& RandomSource::shared()
{
    static RandomSource source;
    return source;
}

RandomSource::RandomSource()
    : m_engine(std::random_device {}())
{ }

void RandomSource::seed(std::uint64_t value)
{
    m_engine.seed(value);
}

std::uint32_t RandomSource::uniform(std::uint32_t upperBound)
{
    if (upperBound == 0)
        return 0;
    // Rejection sampling keeps the choice unbiased for every bound.
    const std::uint64_t range = std::uint64_t(upperBound);
    const std::uint64_t limit
        = std::numeric_limits<std::uint64_t>::max() - std::numeric_limits<std::uint64_t>::max() % range;
    std::uint64_t draw = m_engine();
    while (draw >= limit)
        draw = m_engine();
    return std::uint32_t(draw % range);
}
