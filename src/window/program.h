#pragma once

// The program from start to end: the command line, read before Qt starts
// (commandline.h), so that --help, --help-all, --version and the usage line
// for anything unknown need no display; the display (one line naming what
// was asked for and status 1 where it cannot be opened, instead of Qt's
// abort); an option that the platform Qt started on leaves (-display on
// Wayland); then the window and the event loop.

namespace hearthvale {

int runProgram(int argc, char **argv);

} // namespace hearthvale
