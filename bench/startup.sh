#!/usr/bin/env bash
# Start-up benchmark: the program, a bare Qt window of the same size and that
# window with one line of text, each under a private Xvfb at scale 1 and 2:
# - instructions from launch until the window is shown and the program idle
#   (its CPU time still for half a second), counted by valgrind's callgrind;
#   the same every run, so one run each;
# - the median time from launch until the first paint has been flushed, read
#   from Qt's painting log (qt.widgets.painting), and the resident memory then.
#
#   bench/startup.sh [RUNS]         (default 40; builds build-bench/ first if needed)
#
# Every program runs alike: no session bus (said plainly, so none starts one),
# no RUNPATH (the "bench" preset), and no polling while it starts. Not a test:
# the times depend on the machine's load.
set -euo pipefail
cd "$(dirname "$0")/.."
runs=${1:-40}
build=build-bench
programs=(hearthvale-names bench-text-window bench-bare-window)
for tool in valgrind xdotool; do
    command -v $tool >/dev/null || { echo "startup.sh: $tool is not installed (Debian package $tool)" >&2; exit 1; }
done
cmake --preset bench >/dev/null
cmake --build --preset bench --target "${programs[@]}" >/dev/null

. tests/xvfb.sh
work=$(mktemp -d)
cleanup() { xvfb_stop; rm -rf "$work"; }
trap cleanup EXIT
xvfb_start "$work" 2560x1600x24 # room for the card at twice the size
export DBUS_SESSION_BUS_ADDRESS=disabled:
mkfifo "$work/log"

fail() { local s=0; wait "$2" || s=$?; echo "startup.sh: $1 ended early, status $s" >&2; cat "$work/err" >&2; exit 1; }
cputime() { local s; read -r s <"/proc/$1/stat"; s=(${s##*) }); echo $(( s[11] + s[12] )); }

# Instructions to idle, for one program at one scale.
count() {
    local pid before after=
    QT_SCALE_FACTOR=$2 valgrind --tool=callgrind --callgrind-out-file=/dev/null "$1" 2>"$work/err" >/dev/null &
    pid=$!
    until before=$after; sleep 0.5; after=$(cputime "$pid" 2>/dev/null) && [ "$before" = "$after" ] \
        && xdotool search --onlyvisible --pid "$pid" >/dev/null 2>&1; do
        kill -0 "$pid" 2>/dev/null || fail "$1" "$pid"
    done
    kill "$pid"; wait "$pid" 2>/dev/null || true
    sed -n 's/.*Collected : \([0-9]*\).*/\1/p' "$work/err"
}

# One launch: prints "microseconds resident-KiB".
measure() {
    local start end line log= pid rss key value
    start=${EPOCHREALTIME/./}
    QT_SCALE_FACTOR=$2 QT_LOGGING_RULES=qt.widgets.painting=true "$1" 2>"$work/log" >/dev/null &
    pid=$!
    exec 3<"$work/log"
    while IFS= read -r line <&3; do log+=$line$'\n'; [[ $line == *'Flushing QRegion'* ]] && break; done
    end=${EPOCHREALTIME/./}
    kill -0 "$pid" 2>/dev/null || { echo "$log" >"$work/err"; fail "$1" "$pid"; }
    while read -r key value _; do [ "$key" = VmRSS: ] && rss=$value; done <"/proc/$pid/status"
    kill "$pid"; wait "$pid" 2>/dev/null || true
    exec 3<&-
    echo "$(( end - start )) $rss"
}

median() { sort -n | awk '{v[NR] = $1} END {print (NR % 2) ? v[(NR + 1) / 2] : (v[NR / 2] + v[NR / 2 + 1]) / 2}'; }

for scale in 1 2; do
    for name in "${programs[@]}"; do count "$build/bin/$name" $scale >"$work/$name.$scale.ir"; done
    for name in "${programs[@]}"; do measure "$build/bin/$name" $scale >/dev/null; done # warm the caches
    for _ in $(seq "$runs"); do
        for name in "${programs[@]}"; do measure "$build/bin/$name" $scale >>"$work/$name.$scale"; done
    done
done

for name in "${programs[@]}"; do
    echo "$name" $(for scale in 1 2; do cat "$work/$name.$scale.ir"; for field in 1 2; do
        cut -d' ' -f$field "$work/$name.$scale" | median; done; done)
done | awk -v n="$runs" -v size="$(stat -c %s "$build/bin/${programs[0]}")" '
    { name[NR] = $1; for (i = 2; i <= 7; ++i) v[NR, i] = $i }
    END {
        printf "start-up under Xvfb: instructions to idle; time to first paint and memory then, median of %d runs\n", n
        printf "  %-18s %28s %28s\n", "", "scale 1", "scale 2"
        for (p = 1; p <= NR; ++p)
            printf "  %-18s %7.1f M %7.1f ms %6.1f MB  %7.1f M %7.1f ms %6.1f MB\n", name[p],
                v[p, 2] / 1e6, v[p, 3] / 1000, v[p, 4] / 1024, v[p, 5] / 1e6, v[p, 6] / 1000, v[p, 7] / 1024
        for (s = 0; s <= 3; s += 3)
            printf "against the window with text at scale %d: instructions %.2fx (goal: at most %s), memory %.2fx%s, time %.2fx\n",
                s ? 2 : 1, v[1, 2 + s] / v[2, 2 + s], s ? "1.35x" : "1.20x", v[1, 4 + s] / v[2, 4 + s],
                s ? "" : " (goal: at most 1.08x)", v[1, 3 + s] / v[2, 3 + s]
        printf "program file: %.2f MB\n", size / 1e6
    }'
