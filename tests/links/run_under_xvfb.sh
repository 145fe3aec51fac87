#!/usr/bin/env bash
# Runs a test program on a private Xvfb with Qt's xcb platform, because the
# offscreen platform never opens a link. The display number is whichever one
# Xvfb finds free, so several runs can share the machine; the server goes away
# when the test ends, however it ends.
#
#   run_under_xvfb.sh PROGRAM [ARGS...]
set -uo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM [ARGS...]" >&2
    exit 2
fi
if ! command -v Xvfb >/dev/null 2>&1; then
    echo "run_under_xvfb: Xvfb is not installed (Debian package xvfb)" >&2
    exit 1
fi

workdir=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-xvfb.XXXXXX") || exit 1
xvfb_pid=
cleanup() {
    if [ -n "$xvfb_pid" ]; then
        kill "$xvfb_pid" 2>/dev/null
        wait "$xvfb_pid" 2>/dev/null
    fi
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

mkfifo "$workdir/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 \
    3>"$workdir/display" >"$workdir/xvfb.log" 2>&1 &
xvfb_pid=$!

display=
read -r -t 20 display <"$workdir/display"
if [ -z "$display" ]; then
    echo "run_under_xvfb: Xvfb did not start" >&2
    cat "$workdir/xvfb.log" >&2
    exit 1
fi

export DISPLAY=":$display"
export QT_QPA_PLATFORM=xcb
# A private runtime folder, as a login session would have; Qt asks for one.
mkdir -m 700 "$workdir/runtime"
export XDG_RUNTIME_DIR="$workdir/runtime"
# Nothing may steer Qt away from the launcher on PATH: a desktop name adds
# that desktop's own opener, BROWSER names one directly, SNAP sends the link
# to the desktop portal, and a session bus or platform theme could do the same.
unset XDG_CURRENT_DESKTOP XDG_SESSION_DESKTOP DESKTOP_SESSION KDE_FULL_SESSION \
      GNOME_DESKTOP_SESSION_ID BROWSER DEFAULT_BROWSER SNAP FLATPAK_ID \
      DBUS_SESSION_BUS_ADDRESS QT_QPA_PLATFORMTHEME WAYLAND_DISPLAY XAUTHORITY

"$@"
