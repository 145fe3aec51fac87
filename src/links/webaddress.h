#pragma once

// Which strings may be opened as a link at all. This is the one decision in
// the launcher that is this program's own: whatever passes here goes to a
// browser launcher or to the Windows shell's "Open" verb, which would just as
// well run a program or open a local file. So only absolute http and https
// addresses with a host pass, written with visible characters only.

#include <QString>
#include <QUrl>

namespace hearthvale {

// True if text is such an address; parsed then holds it as QUrl read it.
bool isWebAddress(const QString &text, QUrl &parsed);

} // namespace hearthvale
