#!/usr/bin/env bash
# The Windows installer as a user meets it, under Wine: made by CPack, run
# silently (/S) in a new prefix, it must install for all users under Program
# Files with a Start-menu entry and an Add/Remove Programs entry giving its
# size, look its own (installer_look.py), start the program from there, and
# uninstall silently, leaving nothing behind.
#
#   installer.sh CPACK CPACK_CONFIG WORKDIR VERSION DISPLAY_NAME
set -uo pipefail

cpack=$1 config=$2 workdir=$3 version=$4 title=$5
here=$(cd "$(dirname "$0")" && pwd)
fail() { echo "FAIL: $*" >&2; exit 1; }

rm -rf "$workdir"
mkdir -p "$workdir"
work=$(cd "$workdir" && pwd)
. "$here/../xvfb.sh"
export WINEPREFIX="$work/prefix" WINEARCH=win64 WINEDEBUG=-all WINEDLLOVERRIDES=mscoree,mshtml=
app=
cleanup() {
    [ -n "$app" ] && kill "$app" 2>/dev/null
    wineserver -k 2>/dev/null
    xvfb_stop
}
trap cleanup EXIT
# Wine's server and services outlive each command and would hold this
# script's output open; every Wine command's output goes to a file.
wine_quiet() { wine "$@" </dev/null >>"$work/wine.log" 2>&1; }

"$cpack" --config "$config" -G NSIS -B "$work/package" >"$work/cpack.log" 2>&1 ||
    fail "cpack failed: $(cat "$work/cpack.log")"
setup="$work/package/hearthvale-names-$version-win64-setup.exe"
[ -f "$setup" ] || fail "no $(basename "$setup"): $(ls "$work/package")"

xvfb_start "$work" || fail "Xvfb did not start"
wm_start "$work" || fail "openbox did not start"
wine_quiet wineboot -i || fail "a new Wine prefix could not be made: $(tail "$work/wine.log")"
wineserver -w

wine_quiet "$setup" /S || fail "the installer failed"
wineserver -w
programs="$WINEPREFIX/drive_c/Program Files/$title"
for file in hearthvale-names.exe licences/Qt-README.txt Uninstall.exe; do
    [ -f "$programs/$file" ] || fail "not installed: Program Files/$title/$file"
done
dlls=$(find "$programs" -iname '*.dll')
[ -z "$dlls" ] || fail "DLLs installed beside the program, which stands alone: $dlls"
menu="$WINEPREFIX/drive_c/ProgramData/Microsoft/Windows/Start Menu/Programs/$title"
[ -f "$menu/$title.lnk" ] || fail "no Start-menu entry for all users: $(ls -R "$WINEPREFIX/drive_c/ProgramData" 2>&1 | head -20)"
# The 64-bit registry, as the program is 64-bit; Wine keeps it in system.reg.
uninstall_key="Software\\\\Microsoft\\\\Windows\\\\CurrentVersion\\\\Uninstall\\\\$title"
grep -A20 -F "[$uninstall_key]" "$WINEPREFIX/system.reg" >"$work/uninstall-entry"
grep -q "\"DisplayName\"=\"$title\"" "$work/uninstall-entry" || fail "not in Add/Remove Programs"
grep -q "\"DisplayVersion\"=\"$version\"" "$work/uninstall-entry" || fail "Add/Remove Programs shows another version"
grep -q '"UninstallString"=.*Uninstall.exe' "$work/uninstall-entry" || fail "no uninstaller registered"
# Its size in KiB, as near the files' own as rounding each file allows.
estimated=$(sed -n 's/^"EstimatedSize"=dword:\([0-9a-f]*\).*/\1/p' "$work/uninstall-entry")
installed=$(du -sk --apparent-size "$programs" | cut -f1)
[ -n "$estimated" ] && (( 16#$estimated * 10 > installed * 9 && 16#$estimated * 10 < installed * 11 )) ||
    fail "Add/Remove Programs gives the size as '${estimated:-nothing}' (hex KiB), not about $installed KiB"
/usr/bin/python3 "$here/installer_look.py" "$setup" "$programs/Uninstall.exe" "$here/../../assets/installer/uninstall.ico" \
    "$here/../../assets/installer/welcome.bmp" "$here/../../assets/installer/header.bmp" || fail "the installer's look"

# Started from where it was installed, it shows its window; closing it ends it.
wine "$programs/hearthvale-names.exe" </dev/null >"$work/program.log" 2>&1 &
app=$!
window=$(window_wait "$title" "$app")
case $? in
    1) fail "the installed program showed no window within 30 s" ;;
    2) fail "the installed program ended at start: $(cat "$work/program.log")" ;;
esac
wmctrl -i -c "$window"
for _ in $(seq 200); do kill -0 "$app" 2>/dev/null || break; sleep 0.05; done
wait "$app"
status=$?
app=
[ "$status" = 0 ] || fail "the installed program ended with status $status"

# The uninstaller runs a copy of itself and returns at once: wait for Wine
# to have no process left.
wine_quiet "$programs/Uninstall.exe" /S || fail "the uninstaller failed"
wineserver -w
left=$(find "$programs" "$menu" 2>/dev/null)
[ -z "$left" ] || fail "left behind after uninstalling: $left"
! grep -q -F "[$uninstall_key]" "$WINEPREFIX/system.reg" || fail "still in Add/Remove Programs after uninstalling"
# As a user installs it: page after page with Return on each default button,
# and Finish with its offer to start the program left ticked. The finish
# page hands the program to the shell, so that it does not run with the
# rights the installer was given: its parent, as Windows records it, is not
# the installer.
processes() { wine wmic process get Name,ParentProcessId,ProcessId 2>/dev/null | iconv -f UTF-16LE -t UTF-8 | tr -d '\r'; }
wine "$setup" </dev/null >>"$work/wine.log" 2>&1 &
setup_pid=$!
installer=
for _ in $(seq 600); do
    if kill -0 "$setup_pid" 2>/dev/null; then
        page=$(xdotool search --onlyvisible --name "^$title .*Setup" 2>/dev/null | head -n 1)
        [ -n "$installer" ] || installer=$(processes | awk -v n="$(basename "$setup")" '$1 == n {print $3}')
        [ -z "$page" ] || xdotool windowactivate --sync "$page" key Return 2>/dev/null
        sleep 0.4
    elif xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1; then
        break
    fi
    sleep 0.05
done
kill -0 "$setup_pid" 2>/dev/null && fail "the installer did not finish when taken through its pages with Return"
xdotool search --onlyvisible --name "^$title\$" >/dev/null 2>&1 || fail "Finish did not start the program"
parent=$(processes | awk '$1 == "hearthvale-names.exe" {print $2}')
[ -n "$installer" ] && [ -n "$parent" ] && [ "$parent" != "$installer" ] ||
    fail "the program started from Finish has parent '$parent'; the installer was '$installer'"
echo "installed, started, and uninstalled without a trace; installed page by page, started from Finish by the shell"
