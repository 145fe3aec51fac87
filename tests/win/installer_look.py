#!/usr/bin/python3
"""The installer's own look, read back from the files: its pictures (as
7-Zip, which reads NSIS installers, unpacks them), the installed
uninstaller's icon, the DPI awareness Windows reads from its manifest, and
no file times stored in it, which would make each build differ.

  installer_look.py SETUP.exe INSTALLED_UNINSTALLER.exe UNINSTALL.ico WELCOME.bmp HEADER.bmp
"""
import pathlib
import subprocess
import sys
import tempfile
import xml.etree.ElementTree as ET

import pefile
from program_resources import RT_MANIFEST, icon_images, resources, shown_icon

if len(sys.argv) != 6:
    sys.exit(__doc__)
setup, uninstaller, uninstall_icon, welcome, header = sys.argv[1:]
failures = []
with tempfile.TemporaryDirectory() as folder:
    try:
        listing = subprocess.run(["7zz", "l", "-slt", setup], capture_output=True, text=True, check=True).stdout
        subprocess.run(["7zz", "x", f"-o{folder}", setup], capture_output=True, check=True)
    except (OSError, subprocess.CalledProcessError) as error:
        sys.exit(f"FAIL: 7-Zip could not unpack {setup} (Debian: 7zip): {error}")
    for shown, ours in (("modern-wizard.bmp", welcome), ("modern-header.bmp", header)):
        if pathlib.Path(folder, "$PLUGINSDIR", shown).read_bytes() != pathlib.Path(ours).read_bytes():
            failures.append(f"the installer shows another picture than {ours}")
times = [line for line in listing.splitlines() if line.startswith("Modified = ") and line != "Modified = "]
if times:
    failures.append(f"file times stored: {times[:3]}")
if shown_icon(pefile.PE(uninstaller)) != icon_images(pathlib.Path(uninstall_icon).read_bytes()):
    failures.append(f"the uninstaller's icon is not {uninstall_icon}")
manifest = resources(pefile.PE(setup), RT_MANIFEST).get(1, b"<none/>")
if [e.text for e in ET.fromstring(manifest).iter() if e.tag.endswith("}dpiAware")] != ["true"]:
    failures.append("the installer does not say it is DPI-aware")
for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
