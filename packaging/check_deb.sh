#!/usr/bin/env bash
# Builds the Debian package into a folder of its own and checks what apt
# will see: name, version, the Qt libraries found by dpkg-shlibdeps, the
# platform plugins and the font that shlibdeps cannot know about, and the
# files inside, down to the program running from the unpacked tree.
#
#   check_deb.sh <cpack> <CPackConfig.cmake> <output dir> <version> <app id> [<lintian>]
#
# With lintian given, the package must also pass it without errors or
# warnings.
set -uo pipefail

if [ $# -ne 5 ] && [ $# -ne 6 ]; then
    echo "usage: $0 <cpack> <CPackConfig.cmake> <output dir> <version> <app id> [<lintian>]" >&2
    exit 2
fi
cpack=$1 config=$2 out=$3 version=$4 app_id=$5 lintian=${6:-}

failures=0
fail() {
    echo "FAIL: $*" >&2
    failures=$((failures + 1))
}

rm -rf "$out"
mkdir -p "$out"
if ! "$cpack" --config "$config" -G DEB -B "$out"; then
    echo "FAIL: cpack -G DEB did not succeed" >&2
    exit 1
fi

shopt -s nullglob
debs=("$out"/*.deb)
if [ ${#debs[@]} -ne 1 ]; then
    echo "FAIL: expected one .deb in $out, found ${#debs[@]}" >&2
    exit 1
fi
deb=${debs[0]}
arch=$(dpkg --print-architecture)
[ "$(basename "$deb")" = "hearthvale-names_${version}_${arch}.deb" ] ||
    fail "package file is named $(basename "$deb")"

dpkg-deb -I "$deb"
field() { dpkg-deb -f "$deb" "$1"; }

[ "$(field Package)" = hearthvale-names ] || fail "Package: $(field Package)"
[ "$(field Version)" = "$version" ] || fail "Version: $(field Version), expected $version"
[ "$(field Architecture)" = "$arch" ] || fail "Architecture: $(field Architecture)"
[ "$(field Section)" = utils ] || fail "Section: $(field Section)"
[ "$(field Maintainer)" = "Quillbrook <ada@quillbrook.example>" ] || fail "Maintainer: $(field Maintainer)"
[ "$(field Homepage)" = "http://www.quillbrook.example/" ] || fail "Homepage: $(field Homepage)"

# One package name per entry of a relation field, alternatives and versions dropped.
names_in() { field "$1" | tr ',|' '\n\n' | sed 's/(.*//; s/^ *//; s/ *$//' | grep -v '^$'; }
depends=$(names_in Depends)
for package in libqt6widgets6 libqt6gui6 libqt6core6 libc6 libstdc++6 qt6-qpa-plugins; do
    printf '%s\n' "$depends" | grep -qx "$package" || fail "Depends lacks $package: $(field Depends)"
done
# Comic Neue is built into the program; the package needs no font package.
! field Depends | grep -q fonts- || fail "Depends names a font package: $(field Depends)"

contents=$(dpkg-deb -c "$deb" | awk '{ print $NF }')
for path in ./usr/bin/hearthvale-names \
            "./usr/share/applications/$app_id.desktop" \
            "./usr/share/metainfo/$app_id.metainfo.xml" \
            ./usr/share/icons/hicolor/16x16/apps/"$app_id".png \
            ./usr/share/icons/hicolor/32x32/apps/"$app_id".png \
            ./usr/share/icons/hicolor/48x48/apps/"$app_id".png \
            ./usr/share/icons/hicolor/128x128/apps/"$app_id".png \
            ./usr/share/man/man1/hearthvale-names.1.gz \
            ./usr/share/doc/hearthvale-names/changelog.gz \
            ./usr/share/doc/hearthvale-names/copyright; do
    printf '%s\n' "$contents" | grep -qxF "$path" || fail "package lacks $path"
done

unpacked=$out/unpacked
dpkg-deb -x "$deb" "$unpacked"
reported=$(env -u DISPLAY -u WAYLAND_DISPLAY "$unpacked/usr/bin/hearthvale-names" --version 2>&1)
[ "$reported" = "hearthvale-names $version" ] ||
    fail "packaged program's --version printed '$reported'"

# The copyright file carries the licence of the typeface built in, too.
grep -q 'SIL OPEN FONT LICENSE Version 1.1' "$unpacked/usr/share/doc/hearthvale-names/copyright" ||
    fail "copyright lacks the Comic Neue licence"

# The changelog's newest entry must be this version.
changelog_version=$(gzip -dc "$unpacked/usr/share/doc/hearthvale-names/changelog.gz" 2>/dev/null |
    sed -n '1s/^hearthvale-names (\([^)]*\)).*/\1/p')
[ "$changelog_version" = "$version" ] || fail "changelog's first entry is '$changelog_version', expected $version"

if [ -n "$lintian" ]; then
    if ! "$lintian" --fail-on error,warning "$deb"; then
        fail "lintian found errors or warnings"
    fi
fi

if [ "$failures" -ne 0 ]; then
    echo "$failures problem(s) in $deb" >&2
    exit 1
fi
echo "$deb is complete"
