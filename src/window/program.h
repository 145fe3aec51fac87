#pragma once

// The program from start to end: the command line (only --help and
// --version, which work without a display), the display (a clear line and
// status 1 where none can be opened, instead of Qt's abort), then the window
// and the event loop.

namespace hearthvale {

int runProgram(int argc, char **argv);

} // namespace hearthvale
