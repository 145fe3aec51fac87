#!/usr/bin/env bash
# Start-up benchmark: starts the program and a bare Qt window of the same
# size many times each, in turn, under a private Xvfb, and reports the
# median time from launch until the window's first paint has been flushed
# to the screen, and the resident memory at that moment. A third program,
# the bare window with one line of text, shows what any window that draws
# text pays for fonts on top of the bare floor.
#
#   bench/startup.sh [RUNS]         (default 40; builds build-bench/ first if needed)
#
# The end of the first paint is read from Qt's own painting log (category
# qt.widgets.painting), the same for both programs. Not a test: the
# figures depend on the machine.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-40}
build=build-bench

# The "bench" preset: a Release build in a folder of its own, with the two
# comparison windows that ordinary builds leave out.
programs=(hearthvale-names bench-bare-window bench-text-window)
cmake --preset bench >/dev/null
cmake --build --preset bench --target "${programs[@]}" >/dev/null

. tests/xvfb.sh
work=$(mktemp -d)
cleanup() { xvfb_stop; rm -rf "$work"; }
trap cleanup EXIT
xvfb_start "$work"
export QT_LOGGING_RULES="qt.widgets.painting=true"

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

for name in "${programs[@]}"; do measure "$build/bin/$name" >/dev/null; done # warm the caches
for _ in $(seq "$runs"); do
    for name in "${programs[@]}"; do measure "$build/bin/$name" >>"$work/$name"; done
done

for name in "${programs[@]}"; do
    echo "$name $(cut -d' ' -f1 "$work/$name" | median) $(cut -d' ' -f2 "$work/$name" | median)"
done | awk -v n="$runs" '
    { time[NR] = $2; rss[NR] = $3; name[NR] = $1 }
    END {
        printf "start-up to first paint, median of %d runs each, under Xvfb\n", n
        for (i = 1; i <= NR; ++i)
            printf "  %-20s %7.1f ms  %6.1f MB\n", name[i], time[i] / 1000, rss[i] / 1024
        printf "against the window with text: time %.2fx, memory %.2fx (goal: at most 1.10x in both)\n", time[1] / time[3], rss[1] / rss[3]
        printf "against the bare window:      time %.2fx, memory %.2fx (for reference)\n", time[1] / time[2], rss[1] / rss[2]
    }'
