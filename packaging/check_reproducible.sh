#!/usr/bin/env bash
# Builds the program and the Debian package twice, as two people would from
# two clones, and insists that both come out byte for byte the same. The
# two builds differ in everything that must not matter: the folder (and the
# length of its path), the time of day, the time zone, the locale and the
# umask. Both use the same SOURCE_DATE_EPOCH, as Debian's builders do.
#
#   packaging/check_reproducible.sh [WORKDIR]
#
# WORKDIR (default: a fresh temporary folder, removed afterwards) holds the
# two copies and their builds. Anything already in the environment, such as
# CXXFLAGS, reaches both builds; that is how to see the check fail:
#   CXXFLAGS=-g packaging/check_reproducible.sh   # build paths in the program
set -euo pipefail
cd "$(dirname "$0")/.."
source_dir=$PWD

if [ $# -gt 0 ]; then
    work=$1
    mkdir -p "$work"
else
    work=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-repro.XXXXXX")
    trap 'rm -rf "$work"' EXIT
fi

# The time of the last commit, or a fixed one outside a git checkout.
SOURCE_DATE_EPOCH=$(git log -1 --format=%ct 2>/dev/null || echo 1796601600)
export SOURCE_DATE_EPOCH

# A locale other than C for the second build: one that is installed if
# there is one, else C.UTF-8, which Debian always has.
other_locale=$(locale -a 2>/dev/null | grep -Eiv '^(C|POSIX)(\.|$)' | head -n 1 || true)
other_locale=${other_locale:-C.UTF-8}

# The files a clone would hold: those git knows of, as they are on disk now,
# with the time of the copy as their time, as a fresh clone has.
copy_sources() {
    mkdir -p "$1"
    git ls-files -z --cached --others --exclude-standard |
        tar --null -T - -c -f - | tar -x -m -f - -C "$1" --no-same-permissions
}

# build NAME UMASK TZ LOCALE: a clone at $work/NAME, built with the release
# preset (without the tests, which do not go into the package), then packed.
build() {
    local name=$1 mask=$2 zone=$3 loc=$4
    (
        # Not under set -e here: a subshell on the left of || ignores it.
        umask "$mask"
        export TZ=$zone LC_ALL=$loc LANG=$loc LANGUAGE=
        copy_sources "$work/$name" || exit 1
        cd "$work/$name" || exit 1
        echo "== build in $work/$name: umask $mask, TZ=$zone, LC_ALL=$loc, at $(date -u +%T) UTC"
        cmake --preset release -DBUILD_TESTING=OFF >"$work/$name.log" 2>&1 || exit 1
        cmake --build --preset release --target hearthvale-names >>"$work/$name.log" 2>&1 || exit 1
        cd build && cpack -G DEB -B "$work/$name-deb" >>"$work/$name.log" 2>&1
    ) || { echo "FAIL: the build in $work/$name did not succeed:" >&2; tail -n 30 "$work/$name.log" >&2; exit 1; }
}

rm -rf "$work/first" "$work/second-clone-elsewhere" "$work"/*-deb
build first 0022 UTC0 C
# A minute later by the clock, half a day away by the time zone.
build second-clone-elsewhere 0002 KIT-14 "$other_locale"

failures=0
compare() { # what, first file, second file
    if cmp -s "$2" "$3"; then
        echo "same: $1 ($(sha256sum <"$2" | cut -c1-16))"
    else
        echo "FAIL: $1 differs between the two builds:" >&2
        echo "  $2" >&2
        echo "  $3" >&2
        cmp -l "$2" "$3" 2>&1 | head -n 5 >&2 || true
        failures=$((failures + 1))
    fi
}

compare program "$work/first/build/bin/hearthvale-names" "$work/second-clone-elsewhere/build/bin/hearthvale-names"

debs=("$work"/first-deb/*.deb "$work"/second-clone-elsewhere-deb/*.deb)
if [ ${#debs[@]} -ne 2 ] || [ ! -f "${debs[0]}" ] || [ ! -f "${debs[1]}" ]; then
    echo "FAIL: expected one .deb from each build, found: ${debs[*]}" >&2
    exit 1
fi
compare "Debian package" "${debs[0]}" "${debs[1]}"
if ! cmp -s "${debs[0]}" "${debs[1]}"; then
    # The contents and their modes are the usual culprits; show where.
    diff <(dpkg-deb -c "${debs[0]}") <(dpkg-deb -c "${debs[1]}") >&2 || true
    diff <(dpkg-deb -I "${debs[0]}") <(dpkg-deb -I "${debs[1]}") >&2 || true
fi

if [ "$failures" -ne 0 ]; then
    exit 1
fi
echo "reproducible: the program and the .deb are byte for byte the same"
