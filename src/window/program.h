#pragma once

// The program from start to end: --help, --help-all and --version, which
// work without a display; the display (a clear line and status 1 where none
// can be opened, instead of Qt's abort); the rest of the command line, where
// Qt's own options are left to Qt and anything else gets the usage line;
// then the window and the event loop.

namespace hearthvale {

int runProgram(int argc, char **argv);

} // namespace hearthvale
