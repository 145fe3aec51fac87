#!/usr/bin/env bash
# Builds Qt for Windows statically (Core, Gui, Widgets, Test and the windows
# and offscreen platform plugins, as libraries to link into the program) from
# Debian's own qt6-base source, with Debian's patches, cross-compiled with
# mingw-w64 against the build machine's Qt 6 host tools, and installs it into
# a cache outside the source tree. Prints the installed prefix on its last
# line.
#
# The cache is keyed by the Debian source version, the configure options,
# the compiler's version and the toolchain file: a change of any builds a
# new one beside the old. It lives in
# ${HEARTHVALE_QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-~/.cache}/hearthvale/qt-windows};
# remove that folder to clear it. About an hour on two cores.
set -euo pipefail
here=$(cd "$(dirname "$0")" && pwd)
toolchain=$(cd "$here/../../cmake" && pwd)/mingw-w64-x86_64.cmake

fail() { echo "build_qt: $*" >&2; exit 1; }

version=$(dpkg-query -W -f='${source:Version}' qt6-base-dev 2>/dev/null) ||
    fail "Debian's qt6-base-dev is not installed; its version picks the source to build"
host_cmake=/usr/lib/$(dpkg-architecture -qDEB_HOST_MULTIARCH)/cmake

# Qt's configure options, and why each (qt-options.txt, which the licences
# of the Windows package also list).
read -r -a options <<<"$(sed 's/#.*//' "$here/qt-options.txt" | tr '\n' ' ')"
compiler=$(x86_64-w64-mingw32-g++-posix -dumpfullversion 2>/dev/null) ||
    fail "the mingw-w64 compiler is missing (Debian: g++-mingw-w64-x86-64-posix)"
key=$(printf '%s\n' "$version" "$compiler" "${options[@]}" "$(cat "$toolchain")" | sha256sum | cut -c1-16)
cache=${HEARTHVALE_QT_WINDOWS_CACHE:-${XDG_CACHE_HOME:-$HOME/.cache}/hearthvale/qt-windows}
prefix=$cache/qt-$version-$key
if [ -f "$prefix/.complete" ]; then
    echo "$prefix"
    exit 0
fi
# A copy of the folder made elsewhere, under this same key, is taken as it
# is (HEARTHVALE_QT_WINDOWS_SEEDS: folders holding qt-VERSION-KEY.tar.xz).
IFS=':' read -r -a seeds <<<"${HEARTHVALE_QT_WINDOWS_SEEDS:-}"
for seed in "${seeds[@]}"; do
    [ -f "$seed/qt-$version-$key.tar.xz" ] || continue
    echo "build_qt: unpacking Qt for Windows from $seed" >&2
    mkdir -p "$cache"
    rm -rf "$prefix"
    tar -xJf "$seed/qt-$version-$key.tar.xz" -C "$cache"
    [ -f "$prefix/.complete" ] || fail "$seed/qt-$version-$key.tar.xz does not hold qt-$version-$key/.complete"
    echo "$prefix"
    exit 0
done

echo "build_qt: building Qt $version for Windows into $prefix (once; about an hour on two cores)" >&2
work=$cache/work-$key
rm -rf "$work" "$prefix"
mkdir -p "$work/apt/lists/partial" "$work/apt/parts"

# A private sources list with deb-src entries for the archives the system
# takes its packages from (the main archive and the security one), so the
# system's own apt configuration is left as it is.
system_uris() { apt-get indextargets --format '$(REPO_URI)' | sort -u; }
archive=$(system_uris | grep -E '/debian/?$' | head -n 1 || true)
security=$(system_uris | grep -E '/debian-security/?$' | head -n 1 || true)
[ -n "$archive" ] || fail "no Debian archive among apt's package lists to fetch qt6-base's source from (run apt-get update)"
codename=$(. /etc/os-release && echo "${VERSION_CODENAME:-bookworm}")
keyring=/usr/share/keyrings/debian-archive-keyring.gpg
{
    echo "deb-src [signed-by=$keyring] $archive $codename main"
    echo "deb-src [signed-by=$keyring] $archive $codename-updates main"
    [ -z "$security" ] || echo "deb-src [signed-by=$keyring] $security $codename-security main"
} >"$work/apt/sources.list"
apt_private=(-o "Dir::Etc::SourceList=$work/apt/sources.list" -o "Dir::Etc::SourceParts=$work/apt/parts"
             -o "Dir::State::Lists=$work/apt/lists" -o "Debug::NoLocking=1" -q)
apt-get "${apt_private[@]}" update >&2
(cd "$work" && apt-get "${apt_private[@]}" source --download-only "qt6-base=$version" >&2)
dpkg-source -x "$work"/qt6-base_*.dsc "$work/src" >&2

mkdir -p "$work/build"
(
    cd "$work/build"
    "$work/src/configure" -prefix "$prefix" "${options[@]}" -qt-host-path /usr -- \
        -G Ninja -DCMAKE_TOOLCHAIN_FILE="$toolchain" -DQT_HOST_PATH_CMAKE_DIR="$host_cmake" >&2
)
# What the program's third-party notices are made from: the sources of the
# Qt libraries and plugins linked into it, with the third-party libraries
# built beside them, and Qt's attribution files with the licences they name.
notices=$prefix/share/hearthvale
mkdir -p "$notices"
linked=(Core Gui Widgets QWindowsIntegrationPlugin QWindowsVistaStylePlugin
        $(cd "$work/build" && ninja -t targets all | sed -n 's/^\(Bundled[A-Za-z0-9]*\): phony$/\1/p'))
(cd "$work/build" && ninja -t inputs "${linked[@]}") |
    sed -n "s|^$work/src/||p" | sort >"$notices/qt-sources.txt"
[ -s "$notices/qt-sources.txt" ] || fail "ninja listed no sources for the Qt linked into the program"
python3 - "$work/src" "$notices/attributions" <<'EOF'
import json, pathlib, shutil, sys
src, out = pathlib.Path(sys.argv[1]).resolve(), pathlib.Path(sys.argv[2])
for found in src.rglob("qt_attribution.json"):
    entries = json.loads(found.read_text(), strict=False)  # Qt's files hold raw tabs
    for entry in entries if isinstance(entries, list) else [entries]:
        names = entry.get("LicenseFiles", [entry.get("LicenseFile")] if entry.get("LicenseFile") else [])
        for name in [found.name, *names]:
            target = out / (found.parent / name).resolve().relative_to(src)
            target.parent.mkdir(parents=True, exist_ok=True)
            shutil.copyfile(found.parent / name, target)
EOF
(
    cd "$work/build"
    cmake --build . --parallel "$(nproc)" >&2
    # Sources compiled in through #include (the hash functions, the Unicode
    # and locale tables, TinyCBOR) are no inputs of ninja's; the compiler's
    # dependency record names them, for each listed source that took them.
    ninja -t deps | awk -v src="$work/src/" -v listed="$notices/qt-sources.txt" '
        BEGIN { while ((getline line < listed) > 0) want[src line] = 1 }
        /^[^ ]/ { first = 1; next }
        /^    / { if (first) { keep = ($1 in want); first = 0 }
                  if (keep && index($1, src) == 1) print substr($1, length(src) + 1) }' |
        sort -u - "$notices/qt-sources.txt" -o "$notices/qt-sources.txt"
    cmake --install . >&2
)
cp "$work/src/LICENSES/LGPL-3.0-only.txt" "$prefix/LICENSE.LGPL3"
cp "$work/src/LICENSES/GPL-3.0-only.txt" "$prefix/LICENSE.GPL3"
echo "$version" >"$prefix/.debian-source-version"
touch "$prefix/.complete"
rm -rf "$work"
echo "$prefix"
