#!/usr/bin/env bash
# Runs Debian's hardening-check on a program and insists on every property
# Debian asks of its own packages.
#
#   check_hardening.sh [--expect-unhardened] <hardening-check> <program>
#
# hardening-check exits 0 only when nothing is missing, but a few of its lines
# can say "unknown" without failing; those are judged here: fortify may be
# unknown only when the program calls no libc function that fortify guards.
# Control-flow protection is not asked for: Debian 12 builds its C start
# files without it, so no program linked there can carry the marking, and
# Debian's own packages do not have it either.
# With --expect-unhardened the program must instead be caught lacking at
# least the stack protector, fortify and immediate binding, which shows the
# check can tell the two apart.
set -uo pipefail

expect=hardened
if [ "${1:-}" = --expect-unhardened ]; then
    expect=unhardened
    shift
fi
if [ $# -ne 2 ]; then
    echo "usage: $0 [--expect-unhardened] <hardening-check> <program>" >&2
    exit 2
fi
checker=$1
program=$2
[ -f "$program" ] || { echo "no such program: $program" >&2; exit 1; }

report=$("$checker" --nocfprotection "$program" 2>&1)
status=$?
printf '%s\n' "$report"
echo "hardening-check exit status: $status"

# The answer on one line of the report, e.g. "yes" or "no, not found!".
answer() {
    local line
    line=$(printf '%s\n' "$report" | grep -m1 "^ $1:") || { echo "(missing)"; return; }
    printf '%s\n' "${line#*: }" | sed 's/^ *//'
}

failures=0
if [ "$expect" = hardened ]; then
    if [ "$status" -ne 0 ]; then
        echo "FAIL: hardening-check found something missing" >&2
        failures=$((failures + 1))
    fi
    for property in "Position Independent Executable" "Stack protected" \
                    "Read-only relocations" "Immediate binding"; do
        value=$(answer "$property")
        if [ "$value" != yes ]; then
            echo "FAIL: $property: $value" >&2
            failures=$((failures + 1))
        fi
    done
    value=$(answer "Fortify Source functions")
    case "$value" in
        yes*|"unknown, no protectable libc functions used") ;;
        *) echo "FAIL: Fortify Source functions: $value" >&2; failures=$((failures + 1)) ;;
    esac
else
    if [ "$status" -eq 0 ]; then
        echo "FAIL: hardening-check passed a program built without hardening" >&2
        failures=$((failures + 1))
    fi
    for property in "Stack protected" "Fortify Source functions" "Immediate binding"; do
        value=$(answer "$property")
        case "$value" in
            no*) ;;
            *) echo "FAIL: $property should be missing but reads: $value" >&2; failures=$((failures + 1)) ;;
        esac
    done
fi

[ "$failures" -eq 0 ]
