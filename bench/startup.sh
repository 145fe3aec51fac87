#!/usr/bin/env bash
# Start-up benchmark: starts the program and a bare Qt window of the same
# size many times each, alternately, under a private Xvfb, and reports the
# median time from launch until the window's first paint has been flushed
# to the screen, and the resident memory at that moment.
#
#   bench/startup.sh [RUNS]         (default 40; builds first if needed)
#
# The end of the first paint is read from Qt's own painting log (category
# qt.widgets.painting), the same for both programs. Not a test: the
# figures depend on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-40}
build=${HEARTHVALE_BENCH_BUILD:-build}

if [ ! -x "$build/bin/hearthvale-names" ] || [ ! -x "$build/bin/bench-bare-window" ]; then
    cmake -S . -B "$build" -G Ninja -DCMAKE_BUILD_TYPE=Release >/dev/null
    cmake --build "$build" --target hearthvale-names bench-bare-window >/dev/null
fi
command -v Xvfb >/dev/null || { echo "startup.sh: needs Xvfb (Debian package xvfb)" >&2; exit 1; }

work=$(mktemp -d)
xvfb=
cleanup() { [ -n "$xvfb" ] && kill "$xvfb" 2>/dev/null; rm -rf "$work"; }
trap cleanup EXIT
mkfifo "$work/display"
Xvfb -displayfd 3 -nolisten tcp -screen 0 1024x768x24 3>"$work/display" >/dev/null 2>&1 &
xvfb=$!
read -r -t 20 number <"$work/display"
export DISPLAY=":$number" QT_QPA_PLATFORM=xcb
mkdir -m 700 "$work/runtime"
export XDG_RUNTIME_DIR="$work/runtime"
export QT_LOGGING_RULES="qt.widgets.painting=true"
unset QT_SCALE_FACTOR

# One launch: prints "microseconds resident-KiB".
measure() {
    local log="$work/log" start end pid rss
    : >"$log"
    start=$(date +%s%N)
    "$1" 2>"$log" >/dev/null &
    pid=$!
    until grep -q 'Flushing QRegion' "$log"; do
        kill -0 "$pid" 2>/dev/null || { echo "startup.sh: $1 ended early" >&2; cat "$log" >&2; exit 1; }
        sleep 0.001
    done
    end=$(date +%s%N)
    rss=$(awk '/^VmRSS/ {print $2}' "/proc/$pid/status")
    kill "$pid"; wait "$pid" 2>/dev/null || true
    echo "$(( (end - start) / 1000 )) $rss"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

program="$build/bin/hearthvale-names" bare="$build/bin/bench-bare-window"
measure "$program" >/dev/null; measure "$bare" >/dev/null # warm the caches
for _ in $(seq "$runs"); do
    measure "$program" >>"$work/program"
    measure "$bare" >>"$work/bare"
done

p_time=$(cut -d' ' -f1 "$work/program" | median) b_time=$(cut -d' ' -f1 "$work/bare" | median)
p_rss=$(cut -d' ' -f2 "$work/program" | median) b_rss=$(cut -d' ' -f2 "$work/bare" | median)
awk -v pt="$p_time" -v bt="$b_time" -v pr="$p_rss" -v br="$b_rss" -v n="$runs" 'BEGIN {
    printf "start-up to first paint, median of %d runs each, under Xvfb\n", n
    printf "  %-22s %8.1f ms  %8.1f MB\n", "hearthvale-names", pt / 1000, pr / 1024
    printf "  %-22s %8.1f ms  %8.1f MB\n", "bare Qt window", bt / 1000, br / 1024
    printf "  time ratio   %.2fx (goal 1.10x or less)\n", pt / bt
    printf "  memory ratio %.2fx (goal 1.15x or less)\n", pr / br
}'
