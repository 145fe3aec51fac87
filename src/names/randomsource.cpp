#include "randomsource.h"

#include <QTime>

#include <bit>

namespace hearthvale {

void RandomSource::seed(float value)
{
    m_engine.seed(std::bit_cast<std::uint32_t>(value));
}

float RandomSource::next()
{
    static_assert(std::mt19937::max() == 0xffffffffu);
    const std::uint32_t bits = m_engine() >> 8; // keep 24 bits: a float holds them exactly
    return static_cast<float>(bits) * 0x1p-24f;
}

RandomSource &RandomSource::process()
{
    static RandomSource source;
    return source;
}

float timeOfDaySeconds()
{
    return static_cast<float>(QTime::currentTime().msecsSinceStartOfDay()) / 1000.0f;
}

} // namespace hearthvale
