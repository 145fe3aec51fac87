#pragma once

#include <array>
#include <string_view>

namespace hearthvale {

inline constexpr int NameCount = 1001;

// The names as written, slot by slot; the table copies them in this order.
extern const std::array<std::string_view, NameCount> NameLiterals;

} // namespace hearthvale
