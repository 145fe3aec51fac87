#pragma once

// The name table and the draw, kept apart from the window that shows them.
//
// The window owns one NameGenerator. Its Load handler calls SeedGenerator()
// and then LoadNames(); each press of "Generate!" calls NameDraw(), which
// takes one value r in [0, 1) from the generator, turns it into the slot
// floor(r * 1001), remembers that slot in PickedIndex() and returns the name
// stored there. The table is never changed after the fill, and duplicates,
// trailing spaces and the unsorted order are all part of it.
//
// Tests reach the draw without the clock: give the generator a RandomSource
// of their own, or hand drawFrom() a value r directly.

#include "nameliterals.h"

#include <QString>

#include <array>
#include <cstdint>

namespace hearthvale {

class RandomSource;

class NameGenerator
{
public:
    explicit NameGenerator(RandomSource &source);

    void SeedGenerator();
    void LoadNames();
    QString NameDraw();

    // Steps after taking r: the slot, the bounds check, the name.
    // Throws RuntimeError where r leads outside the table.
    QString drawFrom(float r);

    const std::array<QString, NameCount> &NeighborhoodNames() const { return m_names; }
    std::int16_t PickedIndex() const { return m_pickedIndex; }

private:
    RandomSource &m_source;
    std::array<QString, NameCount> m_names;
    std::int16_t m_pickedIndex = 0;
};

} // namespace hearthvale
