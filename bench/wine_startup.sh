#!/usr/bin/env bash
# Start-up of Windows programs under Wine: the time from launch until the
# program's window shows, for two or more programs started in turn, round
# after round, in one Wine prefix under a private Xvfb with a window manager,
# so that each round meets the same machine.
#
#   bench/wine_startup.sh RUNS TITLE=PROGRAM.exe...
#
# TITLE is the window's title, PROGRAM.exe the program to start (with
# whatever it needs beside it). Prints each program's median and quartiles
# in milliseconds. Not a test: the times depend on the machine's load.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=$1
shift
. tests/xvfb.sh
work=$(mktemp -d)
export WINEPREFIX=$work/prefix WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
cleanup() { wineserver -k 2>/dev/null || true; xvfb_stop; rm -rf "$work"; }
trap cleanup EXIT
xvfb_start "$work" >/dev/null
wm_start "$work"
mkdir -p "$WINEPREFIX"
wineserver -p 600 # the server stays up between starts, as on a running desktop
wine wineboot -i </dev/null >/dev/null 2>&1

for ((round = 0; round < runs; round++)); do
    for entry in "$@"; do
        title=${entry%%=*} program=${entry#*=}
        start=$(date +%s%N)
        wine "$program" </dev/null >/dev/null 2>&1 &
        pid=$!
        # Asked every 10 ms: xdotool's own --sync looks only every half second.
        until xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; do sleep 0.01; done
        echo "$program $(( ($(date +%s%N) - start) / 1000000 ))" >>"$work/times"
        kill "$pid" 2>/dev/null
        wait "$pid" 2>/dev/null || true
    done
done
for entry in "$@"; do
    program=${entry#*=}
    grep -F "$program " "$work/times" | cut -d' ' -f2 | sort -n |
        awk -v p="$program" '{t[NR] = $1} END {printf "%-60s median %d ms (quartiles %d to %d), %d runs\n",
            p, t[int((NR + 1) / 2)], t[int((NR + 3) / 4)], t[int((3 * NR + 3) / 4)], NR}'
done
