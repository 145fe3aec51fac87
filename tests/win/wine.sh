#!/usr/bin/env bash
# Runs a Windows program of the cross build under Wine: the emulator that
# ctest starts every test program of the Windows build with.
#
#   wine.sh PROGRAM.exe [ARGUMENT...]
#   wine.sh --prepare          make the prefix if it is new, and stop Wine again
#
# The Wine prefix is a private one, made on first use, in
# ${HEARTHVALE_WINEPREFIX:-${XDG_CACHE_HOME:-~/.cache}/hearthvale/wine}
# unless WINEPREFIX names another. The programs stand alone, Qt and the
# compiler's runtime linked in, so no DLL folder is needed.
#
# What Wine does differently from a plain program start, and how it is met:
# - it hides QT_* variables from Windows programs, but hands WINEQT_* on as
#   QT_*; so each QT_* variable here goes on under that name;
# - its server and services outlive the program and would keep ctest's
#   output pipes open: they are started first, detached from them;
# - a Windows console program's output is Wine's stdout and stderr, which
#   ctest reads; Qt's messages go to stderr rather than the debugger.
set -euo pipefail

[ $# -ge 1 ] || { echo "usage: wine.sh PROGRAM.exe [ARGUMENT...] | --prepare" >&2; exit 2; }
wine=$(command -v wine || command -v wine64)

export WINEPREFIX=${WINEPREFIX:-${HEARTHVALE_WINEPREFIX:-${XDG_CACHE_HOME:-$HOME/.cache}/hearthvale/wine}}
export WINEARCH=win64 WINEDEBUG=${WINEDEBUG:--all}
# No Mono or Gecko: nothing here uses .NET or a web view, and Wine would
# otherwise ask to install them.
export WINEDLLOVERRIDES=${WINEDLLOVERRIDES:-mscoree,mshtml=}

export QT_FORCE_STDERR_LOGGING=1
while IFS='=' read -r name _; do
    [[ $name == QT_* ]] && export "WINE$name=${!name}"
done < <(env)

# One prefix for every test: made once, under a lock, since ctest runs tests
# side by side. Then a server that stays up between the tests, and Wine's
# services, started here so that they hold none of the test's pipes.
mkdir -p "$(dirname "$WINEPREFIX")"
# The server and services must not inherit the lock, or they hold it.
(
    flock 9
    wineserver -p 60 </dev/null >/dev/null 2>&1 9>&- || true
    "$wine" wineboot </dev/null >/dev/null 2>&1 9>&- || true
    # A prefix whose making was cut short (a test stopped half-way through)
    # has no system DLLs: made again.
    if [ ! -e "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ]; then
        "$wine" wineboot -u </dev/null >/dev/null 2>&1 9>&- || true
    fi
) 9>"$WINEPREFIX.lock"
[ -e "$WINEPREFIX/drive_c/windows/system32/kernel32.dll" ] || {
    echo "wine.sh: Wine could not make its prefix in $WINEPREFIX" >&2
    exit 1
}

if [ "$1" = --prepare ]; then
    wineserver -k 2>/dev/null || true
    exit 0
fi
exec "$wine" "$@"
