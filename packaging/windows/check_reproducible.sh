#!/usr/bin/env bash
# Builds the Windows zip and installer twice, as two people would from two
# clones, and insists that both come out byte for byte the same. The builds
# differ in what must not matter: the folder (and its path's length), the
# time of day, the time zone and the umask; both take the same
# SOURCE_DATE_EPOCH, as a packager's do, and the same cached Qt for Windows
# (build_qt.sh, which builds it first if there is none).
#
#   packaging/windows/check_reproducible.sh [WORKDIR]
#
# WORKDIR (default: a new temporary folder, removed afterwards) holds the two
# clones and their builds.
set -euo pipefail
cd "$(dirname "$0")/../.."

if [ $# -gt 0 ]; then
    work=$1
    mkdir -p "$work"
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-windows-repro.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi
HEARTHVALE_QT_WINDOWS=$(packaging/windows/build_qt.sh | tail -n 1)
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 1796601600)
export HEARTHVALE_QT_WINDOWS SOURCE_DATE_EPOCH

# build NAME UMASK TZ: the files git knows, as they are on disk now, copied
# to $work/NAME with the time of the copy, as a fresh clone has them; then
# the windows presets without the tests, which are not shipped.
build() {
    local name=$1 mask=$2 zone=$3
    rm -rf "${work:?}/$name"
    (
        umask "$mask"
        export TZ=$zone
        mkdir -p "$work/$name" &&
            git ls-files -z --cached --others --exclude-standard | tar --null -T - -c -f - |
            tar -x -m -f - -C "$work/$name" --no-same-permissions &&
            cd "$work/$name" &&
            echo "== $work/$name: umask $mask, TZ=$zone, at $(date -u +%T) UTC" &&
            cmake --preset windows -DBUILD_TESTING=OFF &&
            cmake --build --preset windows &&
            cpack --preset windows
    ) >"$work/$name.log" 2>&1 || { tail -n 30 "$work/$name.log" >&2; echo "FAIL: the build in $work/$name failed" >&2; exit 1; }
    grep '^==' "$work/$name.log"
}
build first 0022 UTC0
build second-clone-elsewhere 0002 KIT-14

failures=0
for file in hearthvale-names-*-win64.zip hearthvale-names-*-win64-setup.exe; do
    one=$(echo "$work"/first/build-windows/$file) two=$(echo "$work"/second-clone-elsewhere/build-windows/$file)
    if cmp -s "$one" "$two"; then
        echo "same: $(basename "$one") $(sha256sum <"$one" | cut -d' ' -f1)"
    else
        echo "FAIL: $(basename "$one") differs between the two builds: $(cmp "$one" "$two" 2>&1)" >&2
        # 7-Zip lists both kinds with each entry's size, CRC and time.
        diff <(7zz l -slt "$one" | grep -v '^Path = /') <(7zz l -slt "$two" | grep -v '^Path = /') >&2 || true
        failures=$((failures + 1))
    fi
done
[ "$failures" -eq 0 ] && echo "reproducible: the zip and the installer are byte for byte the same"
