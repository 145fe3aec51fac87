#!/usr/bin/env bash
# Runs a test program on a private Xvfb with Qt's xcb platform, because the
# offscreen platform never opens a link. The server goes away when the test
# ends, however it ends.
#
#   run_under_xvfb.sh PROGRAM [ARGS...]
set -uo pipefail

if [ $# -lt 1 ]; then
    echo "usage: $0 PROGRAM [ARGS...]" >&2
    exit 2
fi
. "$(dirname "$0")/../xvfb.sh"

workdir=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-xvfb.XXXXXX") || exit 1
cleanup() {
    xvfb_stop
    rm -rf "$workdir"
}
trap cleanup EXIT
trap 'exit 130' INT
trap 'exit 143' TERM

xvfb_start "$workdir" || exit 1
"$@"
