#!/usr/bin/python3
"""Installs the build into an empty folder under umask 0002 and checks it as
a desktop uses it: exactly the expected files, none group-writable, the
program answering --version, the desktop entry and metainfo pointing at what
is installed, one version everywhere, each file clean under Debian's
validator for it, and no program, installed or built, with a RUNPATH.

  check_install.py CMAKE BUILD_DIR SCRATCH APP_ID VERSION SOURCE_DIR BINDIR
                   DESKTOP_FILE_VALIDATE APPSTREAMCLI GROFF
"""
import configparser
import email.utils
import os
import re
import shutil
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

# appstreamcli remarks, all below warning level, that the metainfo keeps:
# the reserved "example" domain of the id, which appstream does not know;
# the CamelCase last part, which Wayland already uses as is; the maker's
# http:// homepage, which the program's own button opens too; and, since it
# names its developer both ways for software centres old and new, the one
# remark each appstream makes of that: <developer> is unknown to those before
# 1.0, <developer_name> deprecated from 1.0 on.
ALLOWED_REMARKS = {"cid-maybe-not-rdns", "cid-contains-uppercase-letter", "url-not-secure",
                   "unknown-tag developer", "developer-name-tag-deprecated"}

cmake, build, scratch, app_id, version, source, bindir, desktop_validate, appstreamcli, groff = sys.argv[1:]
problems = []


def run(*command):
    done = subprocess.run(command, capture_output=True, text=True, env=dict(os.environ, DISPLAY="", WAYLAND_DISPLAY=""))
    return done.returncode, (done.stdout + done.stderr).strip()


prefix = Path(scratch).resolve()
shutil.rmtree(prefix, ignore_errors=True)
os.umask(0o002)
status, output = run(cmake, "--install", build, "--prefix", str(prefix))
if status != 0:
    sys.exit(f"FAIL: cmake --install: {output}")

share = Path("share")
desktop = share / "applications" / f"{app_id}.desktop"
metainfo = share / "metainfo" / f"{app_id}.metainfo.xml"
manpage = share / "man" / "man6" / "hearthvale-names.6"
program = Path(bindir, "hearthvale-names")
expected = {program, desktop, metainfo, manpage}
expected |= {share / f"icons/hicolor/{p.stem}x{p.stem}/apps/{app_id}.png" for p in Path(source, "assets/icons").glob("*.png")}
installed = {p.relative_to(prefix) for p in prefix.rglob("*") if not p.is_dir()}
if installed != expected:
    problems.append(f"installed files differ: missing {sorted(map(str, expected - installed))}, "
                    f"stray {sorted(map(str, installed - expected))}")
writable = [str(p.relative_to(prefix)) for p in prefix.rglob("*") if p.stat().st_mode & 0o022]
if writable:
    problems.append(f"group- or world-writable under umask 0002: {writable}")

status, output = run(str(prefix / program), "--version")
if (status, output) != (0, f"hearthvale-names {version}"):
    problems.append(f"--version exited {status} with {output!r}")

entry = configparser.ConfigParser(interpolation=None)
entry.read(prefix / desktop)
if not (prefix / bindir / entry["Desktop Entry"]["Exec"].split()[0]).is_file():
    problems.append(f"the desktop entry's Exec= names no installed program: {entry['Desktop Entry']['Exec']}")
if entry["Desktop Entry"]["Icon"] != app_id:
    problems.append(f"the desktop entry's Icon= is not {app_id}")

component = ET.parse(prefix / metainfo).getroot()
if component.findtext("id") != app_id or component.findtext("launchable") != f"{app_id}.desktop":
    problems.append("the metainfo's id or launchable is not the application id")
release = component.find("releases/release")
if release.get("version") != version:
    problems.append(f"the metainfo's newest release is not {version}")
# The Debian package's newest entry is the same release, on the same day.
changelog = Path(source, "debian/changelog").read_text()
day = email.utils.parsedate_to_datetime(re.search(r"^ -- .*?  (.*)$", changelog, re.M)[1]).date().isoformat()
if not changelog.startswith(f"hearthvale-names ({version})") or day != release.get("date"):
    problems.append(f"debian/changelog's newest entry is not version {version} of {release.get('date')}")
if not re.match(rf'\.TH HEARTHVALE\\-NAMES 6 .*{re.escape(version)}"', (prefix / manpage).read_text()):
    problems.append(f"the manual page's title line does not name section 6 and version {version}")

for command in ([desktop_validate, str(prefix / desktop)],
                [groff, "-man", "-ww", "-z", "-rCHECKSTYLE=10", "-Tutf8", str(prefix / manpage)]):
    status, output = run(*command)
    if status != 0 or output:
        problems.append(f"{Path(command[0]).name} on {Path(command[-1]).name}: {output or status}")
status, output = run(appstreamcli, "validate", "--no-net", "--pedantic", "--no-color", str(prefix / metainfo))
remarks = re.findall(r"^([EWIP]): \S+: ([a-z0-9-]+) *(\S*)", output, re.M)
unexpected = [r for r in remarks if r[0] in "EW" or not {r[1], f"{r[1]} {r[2]}"} & ALLOWED_REMARKS]
if status != 0 or unexpected:
    problems.append(f"appstreamcli on the metainfo:\n{output}")

# The loader must find Qt where the system keeps it, never first in the
# current folder or beside the program.
for elf in [prefix / program, *Path(build, "bin").iterdir()]:
    status, output = run("readelf", "--dynamic", str(elf))
    if found := re.search(r".*\((RUNPATH|RPATH)\).*", output):
        problems.append(f"{elf} carries a library search path: {found[0].strip()}")

for problem in problems:
    print(f"FAIL: {problem}", file=sys.stderr)
sys.exit(1 if problems else print(f"the install under {prefix} is complete and valid"))
