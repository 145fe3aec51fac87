#!/usr/bin/env bash
# Installs the build into an empty folder and checks it the way a desktop
# would use it: the program runs, the desktop entry's Exec= and Icon= point
# at installed files, the icons have the sizes their folders promise, and the
# version is the same everywhere it is written.
#
#   check_install_layout.sh <cmake> <build dir> <scratch dir> <app id> <version> \
#                           <bindir> <datadir> <mandir>
set -uo pipefail

if [ $# -ne 8 ]; then
    echo "usage: $0 <cmake> <build dir> <scratch dir> <app id> <version> <bindir> <datadir> <mandir>" >&2
    exit 2
fi
cmake=$1 build=$2 prefix=$3 app_id=$4 version=$5 bindir=$6 datadir=$7 mandir=$8

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$prefix"
mkdir -p "$prefix"
prefix=$(cd "$prefix" && pwd)
# Under the umask many distributions give their users: folders must still
# come out rwxr-xr-x, not group-writable.
if ! (umask 0002 && "$cmake" --install "$build" --prefix "$prefix"); then
    echo "FAIL: cmake --install did not succeed" >&2
    exit 1
fi
writable=$(cd "$prefix" && find . -mindepth 1 -perm /022 | LC_ALL=C sort)
[ -z "$writable" ] || fail "installed under umask 0002, these are group- or world-writable: $writable"

program=$prefix/$bindir/hearthvale-names
desktop=$prefix/$datadir/applications/$app_id.desktop
metainfo=$prefix/$datadir/metainfo/$app_id.metainfo.xml
manpage=$prefix/$mandir/man1/hearthvale-names.1

# Exactly these files, so nothing is missing and nothing stray is shipped.
expected=(
    "$bindir/hearthvale-names"
    "$datadir/applications/$app_id.desktop"
    "$datadir/metainfo/$app_id.metainfo.xml"
    "$mandir/man1/hearthvale-names.1"
    "$datadir/doc/hearthvale-names/copyright"
)
for size in 16 32 48 128; do
    expected+=("$datadir/icons/hicolor/${size}x${size}/apps/$app_id.png")
done
actual=$(cd "$prefix" && find . -type f -o -type l | sed 's|^\./||' | LC_ALL=C sort)
wanted=$(printf '%s\n' "${expected[@]}" | LC_ALL=C sort)
if [ "$actual" != "$wanted" ]; then
    fail "installed files differ from the expected set:"
    diff <(printf '%s\n' "$wanted") <(printf '%s\n' "$actual") >&2
fi

[ -x "$program" ] || fail "$program is not an executable file"

# The program answers --version without a display.
reported=$(env -u DISPLAY -u WAYLAND_DISPLAY "$program" --version 2>&1)
status=$?
[ "$status" -eq 0 ] || fail "installed program's --version exited with $status: $reported"
[ "$reported" = "hearthvale-names $version" ] ||
    fail "installed program's --version printed '$reported', expected 'hearthvale-names $version'"
program_version=${reported##* }

# A key's value from the [Desktop Entry] group.
desktop_key() {
    sed -n '/^\[Desktop Entry\]/,/^\[/{s/^'"$1"'=//p}' "$desktop" | head -n1
}
if [ -f "$desktop" ]; then
    exec_line=$(desktop_key Exec)
    exec_program=${exec_line%% *}
    case "$exec_program" in
        /*) exec_path=$prefix$exec_program ;;
        *) exec_path=$prefix/$bindir/$exec_program ;;
    esac
    [ -n "$exec_program" ] && [ -x "$exec_path" ] ||
        fail "desktop entry Exec=$exec_line names no installed program"

    icon=$(desktop_key Icon)
    [ "$icon" = "$app_id" ] || fail "desktop entry Icon=$icon, expected $app_id"
    found=$(find "$prefix/$datadir/icons/hicolor" -path "*/apps/$icon.png" 2>/dev/null | wc -l)
    [ "$found" -gt 0 ] || fail "desktop entry Icon=$icon names no installed icon"
else
    fail "no desktop entry at $desktop"
fi

# Width and height from the PNG header: the IHDR chunk follows the 8-byte
# signature and its 8-byte header, as two big-endian 32-bit numbers.
for size in 16 32 48 128; do
    png=$prefix/$datadir/icons/hicolor/${size}x${size}/apps/$app_id.png
    [ -f "$png" ] || { fail "no $size pixel icon at $png"; continue; }
    signature=$(od -An -tx1 -N8 "$png" | tr -d ' \n')
    [ "$signature" = 89504e470d0a1a0a ] || { fail "$png is not a PNG"; continue; }
    chunk=$(od -An -c -j12 -N4 "$png" | tr -d ' \n')
    [ "$chunk" = IHDR ] || { fail "$png has no IHDR chunk first"; continue; }
    read -r width height < <(od -An -tu1 -j16 -N8 "$png" |
        awk '{ printf "%d %d\n", (($1*256+$2)*256+$3)*256+$4, (($5*256+$6)*256+$7)*256+$8 }')
    [ "$width" = "$size" ] && [ "$height" = "$size" ] ||
        fail "$png is ${width}x${height}, expected ${size}x${size}"
done

if [ -f "$metainfo" ]; then
    grep -q "<id>$app_id</id>" "$metainfo" || fail "metainfo does not carry the id $app_id"
    grep -q "<launchable type=\"desktop-id\">$app_id.desktop</launchable>" "$metainfo" ||
        fail "metainfo does not launch $app_id.desktop"
    release=$(sed -n 's/.*<release [^>]*version="\([^"]*\)".*/\1/p' "$metainfo" | head -n1)
    [ -n "$release" ] || fail "metainfo has no release version"
    [ "$release" = "$program_version" ] ||
        fail "metainfo release $release differs from the program's version $program_version"
    [ "$release" = "$version" ] || fail "metainfo release $release differs from the project's $version"
else
    fail "no metainfo at $metainfo"
fi

if [ -f "$manpage" ]; then
    head -n1 "$manpage" | grep -q '^\.TH HEARTHVALE\\-NAMES 1 .*'"$version" ||
        fail "manual page's title line does not name section 1 and version $version"
else
    fail "no manual page at $manpage"
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) in the installed layout under $prefix" >&2
    exit 1
fi
echo "installed layout under $prefix is complete"
