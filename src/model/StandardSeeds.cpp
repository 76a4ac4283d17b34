#include "model/StandardSeeds.h"

#include "foundation/random/RandomSource.h"

#include <limits>

QString StandardSeeds::next()
{
    QString seed;
    do {
        seed = QString::number(RandomSource::shared().uniform(std::numeric_limits<std::uint32_t>::max()));
    } while (m_used.contains(seed));
    m_used.insert(seed);
    return seed;
}
