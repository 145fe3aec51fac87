# Cross-builds for 64-bit Windows with Debian's mingw-w64 (posix threads),
# for Qt itself and for the program. Qt for Windows is found through
# CMAKE_PREFIX_PATH; the build machine's Qt 6 supplies the host tools (moc,
# rcc, uic). The windows preset runs the tests under Wine.
set(CMAKE_SYSTEM_NAME Windows)
set(CMAKE_SYSTEM_PROCESSOR x86_64)

set(triplet x86_64-w64-mingw32)
set(CMAKE_C_COMPILER ${triplet}-gcc-posix)
set(CMAKE_CXX_COMPILER ${triplet}-g++-posix)
set(CMAKE_RC_COMPILER ${triplet}-windres)
set(CMAKE_STRIP ${triplet}-strip CACHE FILEPATH "")

# Libraries, headers and packages come from the Windows side only; programs
# (Perl, Ninja, Qt's host tools) from the build machine.
set(CMAKE_FIND_ROOT_PATH /usr/${triplet})
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE ONLY)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
