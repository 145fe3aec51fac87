#!/usr/bin/python3
"""Runs Debian's hardening-check on the packaged program, asking for exactly
the protections that this release's dpkg-buildflags gives the package, with
DEB_BUILD_MAINT_OPTIONS as debian/rules sets it.

Control-flow protection (dpkg's "branch": Intel's CET on x86, BTI on arm64)
is in a program only when every object of its link carries it, the C
library's start-up files included. Where this release's start-up files carry
none, as on Debian 12 and 13 and testing on amd64, no program of the release
has it, so it is not asked for; the reason is printed.

  check_hardening.py DEBIAN_RULES PROGRAM
"""
import re
import subprocess
import sys

# hardening-check's checks, by the dpkg-buildflags feature that gives each.
CHECKS = {"pie": "pie", "stackprotector": "stackprotector", "fortify": "fortify", "relro": "relro",
          "bindnow": "bindnow", "stackclash": "stackclash", "cfprotection": "branch", "branchprotection": "branch"}
# The property the start-up files must carry for each control-flow check,
# on the architectures it applies to.
CONTROL_FLOW = {"cfprotection": ({"amd64", "i386"}, "IBT"), "branchprotection": ({"arm64"}, "BTI")}


def output(*command, **env):
    done = subprocess.run(command, capture_output=True, text=True, env=env or None)
    return done.stdout + done.stderr


def main():
    if len(sys.argv) != 3:
        sys.exit(__doc__)
    rules, program = sys.argv[1:]
    maint = re.search(r"^export DEB_BUILD_MAINT_OPTIONS\s*=\s*(.*)$", open(rules).read(), re.M)
    features = output("dpkg-buildflags", "--query-features", "hardening",
                      DEB_BUILD_MAINT_OPTIONS=maint[1] if maint else "", PATH="/usr/bin:/bin")
    given = set(re.findall(r"^Feature: (\S+)\nEnabled: yes", features, re.M))
    arch = output("dpkg", "--print-architecture").strip()
    start_files = output("gcc", "-print-file-name=Scrt1.o").strip()
    start_notes = output("readelf", "-n", start_files)
    known = output("hardening-check", "--help")
    options = []
    for check, feature in CHECKS.items():
        if f"--no{check}" not in known:
            continue
        why = None if feature in given else f"dpkg-buildflags does not give {feature}"
        if not why and check in CONTROL_FLOW:
            arches, note = CONTROL_FLOW[check]
            if arch not in arches:
                why = f"not a protection of {arch}"
            elif note not in start_notes:
                why = f"this release's C start-up files ({start_files}) carry no {note}"
        if why:
            options.append(f"--no{check}")
            print(f"check_hardening.py: not asking for {check}: {why}")
    sys.exit(subprocess.run(["hardening-check", *options, program]).returncode)


main()
