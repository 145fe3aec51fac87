#!/usr/bin/env bash
# The real program as a native Wayland client, in a headless Weston of its
# own: what the compositor is told about the window, read from the client's
# own protocol log (WAYLAND_DEBUG): the fixed size, the caption and the
# application id, which a Wayland desktop uses to find the desktop entry
# and the icon.
#
#   wayland.sh PROGRAM APP_ID DISPLAY_NAME
set -uo pipefail
program=$1 app_id=$2 title=$3

fail() { echo "FAIL (wayland): $*" >&2; exit 1; }

work=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-wayland.XXXXXX")
mkdir -m 700 "$work/runtime"
pids=()
cleanup() {
    for pid in "${pids[@]}"; do kill "$pid" 2>/dev/null; done
    for pid in "${pids[@]}"; do wait "$pid" 2>/dev/null; done
    rm -rf "$work"
}
trap cleanup EXIT

export XDG_RUNTIME_DIR="$work/runtime"
unset DISPLAY WAYLAND_SOCKET QT_QPA_PLATFORMTHEME QT_SCALE_FACTOR
weston --backend=headless-backend.so --socket=hearthvale --idle-time=0 >"$work/weston.log" 2>&1 &
pids+=($!)
for _ in $(seq 100); do [ -S "$work/runtime/hearthvale" ] && break; sleep 0.05; done
[ -S "$work/runtime/hearthvale" ] || fail "weston did not start: $(cat "$work/weston.log")"

WAYLAND_DISPLAY=hearthvale QT_QPA_PLATFORM=wayland WAYLAND_DEBUG=client "$program" 2>"$work/client.log" &
pids+=($!)
for _ in $(seq 200); do grep -q 'set_app_id' "$work/client.log" && break; sleep 0.05; done

# Each a request on the window's xdg_toplevel, which libwayland logs as
# "xdg_toplevel@16.set_title(...)" (up to 1.22) or "xdg_toplevel#16.set_title(...)".
expect() {
    grep -qE -- "xdg_toplevel[@#][0-9]+\\.$1" "$work/client.log" || fail "the compositor was not told $1"
}
expect 'set_min_size\(638, 478\)'
expect 'set_max_size\(638, 478\)'
literally() { sed 's/[][\\.*^$()+?{}|]/\\&/g' <<<"$1"; }
expect "set_title\\(\"$(literally "$title")\"\\)"
expect "set_app_id\\(\"$(literally "$app_id")\"\\)"
kill -0 "${pids[1]}" 2>/dev/null || fail "the program ended: $(grep -v '^\[' "$work/client.log" | head -5)"
echo "PASS (wayland)"
