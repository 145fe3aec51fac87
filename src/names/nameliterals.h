#pragma once

#include <array>
#include <string_view>

namespace hearthvale {

inline constexpr int NameCount = 1001;

// The names as written, slot by slot, in UTF-16 as QString holds text, so
// that the table refers to them where they lie instead of copying each one.
extern const std::array<std::u16string_view, NameCount> NameLiterals;

} // namespace hearthvale
