#!/usr/bin/env bash
# What Windows shows of the program file itself, read back with Debian's
# icoutils: Explorer's icon (a 32 x 32 and a 16 x 16 image) and the version
# record of Properties, Details.
#
#   program_resources.sh PROGRAM.exe VERSION
set -uo pipefail

program=$1 version=$2
fail() { echo "FAIL: $*" >&2; exit 1; }
for tool in wrestool icotool strings; do
    command -v "$tool" >/dev/null || fail "$tool is not installed (Debian: icoutils, binutils)"
done
work=$(mktemp -d "${TMPDIR:-/tmp}/hearthvale-resources.XXXXXX")
trap 'rm -rf "$work"' EXIT

# The program's icon group, as an .ico file.
wrestool -x --type=14 "$program" >"$work/icon.ico" 2>"$work/err" || fail "no icon group: $(cat "$work/err")"
sizes=$(icotool -l "$work/icon.ico") || fail "the icon group is not an icon"
echo "$sizes"
for size in 32 16; do
    grep -q -- "--width=$size --height=$size" <<<"$sizes" || fail "no $size x $size icon"
done

# The version record: its strings are UTF-16, each value after its key.
wrestool -x --raw --type=16 "$program" >"$work/version.bin" 2>"$work/err" || fail "no version record: $(cat "$work/err")"
record=$(strings -e l -n 1 "$work/version.bin")
for key in FileVersion ProductVersion; do
    value=$(grep -A1 -x "$key" <<<"$record" | tail -n 1)
    [ "$value" = "$version" ] || fail "$key is '$value', not '$version'"
done
echo "FileVersion and ProductVersion: $version"
