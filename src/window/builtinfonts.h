#pragma once

// The family the card's text is set in: Comic Sans MS where the system has
// it, and otherwise Comic Neue, which travels inside the program so that the
// labels keep their widths on a desktop without any Comic face. The built-in
// face is asked for by its own name: asked for as Comic Sans MS, Qt would
// first have fontconfig work out two lists of fallback fonts that no text on
// the card needs. A character Comic Neue lacks still finds its fallback when
// it is drawn.
//
// The faces are made known to Qt on the first call, once per process, before
// the first control asks for a font. Builds that carry no fonts (Windows,
// where Comic Sans MS comes with the system) register nothing.

#include <QString>

namespace hearthvale {

QString cardFontFamily();

} // namespace hearthvale
