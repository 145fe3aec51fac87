#!/usr/bin/env bash
# The command line and the missing display, without any display at all:
# --help and --version answer, an unknown option is refused with a usage
# line, and a display or platform that cannot be opened gives one clear line
# naming it and status 1 (never an abort with a core dump).
#
#   cli.sh PROGRAM VERSION
set -uo pipefail
program=$1 version=$2
failures=0
check() { # description, condition...
    local what=$1; shift
    if "$@"; then echo "ok: $what"; else echo "FAIL: $what" >&2; failures=$((failures + 1)); fi
}

out=$(mktemp) err=$(mktemp) work=$(mktemp -d)
trap 'rm -rf "$out" "$err" "$work"' EXIT
run() { # expected status, then environment and arguments for env
    local expected=$1; shift
    env -u DISPLAY -u WAYLAND_DISPLAY -u QT_QPA_PLATFORM "$@" >"$out" 2>"$err"
    status=$?
    [ "$status" -eq "$expected" ]
}
lines() { grep -c '' "$1"; }

check "--version exits 0" run 0 "$program" --version
check "--version prints the version" grep -qx "hearthvale-names $version" "$out"
check "-v is the same" run 0 "$program" -v

check "--help exits 0" run 0 "$program" --help
check "--help prints usage, by the program's name" grep -q '^Usage: hearthvale-names ' "$out"
check "--help lists --version" grep -q -- "--version" "$out"
check "--help prints nothing on stderr" test ! -s "$err"
check "--help-all is help too" run 0 "$program" --help-all
check "--help-all lists Qt's options" grep -q -- "--session <session>" "$out"
check "--help-all prints nothing on stderr" test ! -s "$err"

# Qt's options are taken, anything else is refused, with or without a
# display; an X11 option that another platform leaves, once it has started.
for bad in --bogus -x extra-argument "-session 1234_5 --bogus" "-reverse stray" --session \
           "offscreen: --bogus" "offscreen: -display :1"; do
    where=; [[ $bad == offscreen:* ]] && where=QT_QPA_PLATFORM=offscreen
    # shellcheck disable=SC2086 # the words of one command line
    run 2 $where "$program" ${bad#offscreen:}; status=$?
    check "'$bad' is refused with status 2" test "$status" -eq 0
    check "'$bad' gets a usage line on stderr" grep -q '^Usage: hearthvale-names' "$err"
    check "'$bad' prints nothing on stdout" test ! -s "$out"
done
check "--version among Qt's options" run 0 "$program" -platform offscreen -session 1234_5 --version

run 1 "$program"; status=$?
check "no display: status 1" test "$status" -eq 0
check "no display: one line" test "$(lines "$err")" -eq 1
check "no display: the line names DISPLAY" grep -q 'DISPLAY is not set' "$err"
check "no display: nothing about reinstalling" bash -c "! grep -qi reinstall '$err'"

run 1 DISPLAY=:7313 "$program"; status=$?
check "unreachable display: status 1 (not an abort)" test "$status" -eq 0
check "unreachable display: one line" test "$(lines "$err")" -eq 1
check "unreachable display: the line names it" grep -q '":7313" (given by DISPLAY)' "$err"
run 1 DISPLAY=:7313 "$program" -display :7314
check "-display: the line names it" grep -q '":7314" (given by -display)' "$err"
run 1 "$program" --display=:7314
check "--display= without DISPLAY: the line names it" grep -q '":7314" (given by -display)' "$err"

# A Wayland session always has a runtime folder; without one libwayland
# complains on its own before Qt does.
mkdir -m 700 "$work/runtime"
run 1 QT_QPA_PLATFORM=wayland WAYLAND_DISPLAY=hearthvale-none XDG_RUNTIME_DIR="$work/runtime" "$program"; status=$?
check "unreachable Wayland display: status 1" test "$status" -eq 0
check "unreachable Wayland display: one line" test "$(lines "$err")" -eq 1
check "unreachable Wayland display: the line names it" grep -q '"hearthvale-none" (given by WAYLAND_DISPLAY)' "$err"

# A platform plugin that is not installed fails the same way inside Qt.
run 1 DISPLAY=:7313 QT_QPA_PLATFORM=hearthvale-none "$program"; status=$?
check "no platform plugin: status 1" test "$status" -eq 0
check "no platform plugin: one line naming it" test "$(lines "$err")" -eq 1
check "no platform plugin: the line names it" grep -q 'plugin "hearthvale-none" (given by QT_QPA_PLATFORM)' "$err"
run 1 DISPLAY=:7313 "$program" -platform hearthvale-none
check "-platform: the line names it and Qt's" grep -q '"hearthvale-none" (given by -platform); Qt has: .*offscreen' "$err"

# Any other fatal start-up message is told in its own words, not as a display.
echo '{"device": "'"$work"'/no-such-card"}' >"$work/kms.json"
run 1 QT_QPA_PLATFORM=eglfs QT_QPA_EGLFS_INTEGRATION=eglfs_kms QT_QPA_EGLFS_KMS_CONFIG="$work/kms.json" "$program"; status=$?
check "no graphics device: status 1" test "$status" -eq 0
check "no graphics device: Qt's own words" grep -q 'hearthvale-names: Could not open DRM device' "$err"
check "no graphics device: not called a display" bash -c "! grep -qi display '$err'"

[ "$failures" -eq 0 ] || { echo "$failures check(s) failed" >&2; exit 1; }
