#pragma once

// The card asks for Comic Sans MS, and where that is missing Comic Neue
// answers to its name: it is registered in Qt's font database as an alias of
// Comic Neue. Comic Neue travels inside the program, so that the labels keep
// their widths on a desktop that has no Comic face at all; it is made known
// to Qt here, once per process, before the first control asks for a font.
// Builds that carry no fonts (Windows, where Comic Sans MS comes with the
// system) register nothing.

namespace hearthvale {

void registerBuiltInFonts();

} // namespace hearthvale
