#include "namegenerator.h"

#include "randomsource.h"
#include "runtimeerror.h"

#include <cmath>
#include <limits>

namespace hearthvale {

NameGenerator::NameGenerator(RandomSource &source)
    : m_source(source)
{
}

void NameGenerator::SeedGenerator()
{
    m_source.seed(timeOfDaySeconds());
}

void NameGenerator::LoadNames()
{
    // Each slot refers to its name in the program's own data: the fill
    // allocates and copies nothing.
    for (int slot = 0; slot < NameCount; ++slot) {
        const std::u16string_view name = NameLiterals[slot];
        m_names[slot] =
            QString::fromRawData(reinterpret_cast<const QChar *>(name.data()), static_cast<qsizetype>(name.size()));
    }
}

QString NameGenerator::NameDraw()
{
    return drawFrom(m_source.next());
}

QString NameGenerator::drawFrom(float r)
{
    const double x = static_cast<double>(r) * NameCount;
    const double slot = std::floor(x);
    // Converting a NaN or an out-of-range double to an integer is undefined,
    // so anything that does not fit 16 bits is an overflow, reported as such.
    if (!(slot >= std::numeric_limits<std::int16_t>::min() && slot <= std::numeric_limits<std::int16_t>::max()))
        throw RuntimeError(RuntimeError::Overflow, QStringLiteral("Overflow"));
    m_pickedIndex = static_cast<std::int16_t>(slot);

    if (static_cast<std::uint16_t>(m_pickedIndex) >= NameCount)
        throw RuntimeError(RuntimeError::SubscriptOutOfRange, QStringLiteral("Subscript out of range"));
    return m_names[static_cast<std::size_t>(m_pickedIndex)];
}

} // namespace hearthvale
