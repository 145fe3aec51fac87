#pragma once

// The Windows end of OpenLink: hands an already vetted address to the
// shell's "Open" verb. Kept free of Qt so that it builds, and can be
// checked, with nothing but a Windows cross-compiler.

#include <cstdint>
#include <string_view>

namespace hearthvale::Module1 {

// Returns ShellExecute's own value: above 32 when the shell took the
// address, 32 or less when it did not or the address could not be put in
// the system's ANSI code page.
std::int32_t shellOpen(std::u16string_view url);

} // namespace hearthvale::Module1
