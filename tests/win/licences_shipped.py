#!/usr/bin/python3
"""The licences folder of the Windows zip and installer, as installed: the
files it must hold and no others, each with Windows line ends, and a notice
for each third-party library whose own text the program file carries, Qt
being linked into it.

  licences_shipped.py INSTALLED_FOLDER
"""
import pathlib
import sys

# Each file, and what it is recognised by.
EXPECTED = {
    "hearthvale-names-MIT.txt": "MIT License",
    "ComicNeue-OFL-1.1.txt": "SIL OPEN FONT LICENSE Version 1.1",
    "Qt-README.txt": "GPL-3.0.txt",
    "Qt-LGPL-3.0.txt": "GNU LESSER GENERAL PUBLIC LICENSE",
    "GPL-3.0.txt": "GNU GENERAL PUBLIC LICENSE",
    "Qt-third-party.txt": "qt_attribution.json",
    "GCC-runtime.txt": "GCC RUNTIME LIBRARY EXCEPTION",
    "winpthreads.txt": "winpthreads",
}
# Text a library leaves in the program it is compiled into, and its notice's name.
LIBRARIES = {b"deflate 1.2": "zlib", b"libpng version": "LibPNG", b"PCRE2": "PCRE2", b"HB_OPTIONS": "HarfBuzz"}

if len(sys.argv) != 2:
    sys.exit(__doc__)
folder = pathlib.Path(sys.argv[1])
licences = {p.name: p.read_bytes() for p in (folder / "licences").iterdir()}
failures = [] if sorted(licences) == sorted(EXPECTED) else [f"licences/ holds {sorted(licences)}, not {sorted(EXPECTED)}"]
for name, mark in EXPECTED.items():
    text = licences.get(name, b"")
    if mark.encode() not in text:
        failures.append(f"{name} does not say '{mark}'")
    if text.count(b"\n") != text.count(b"\r\n"):
        failures.append(f"{name} has line ends other than Windows' own")
program = (folder / "hearthvale-names.exe").read_bytes()
for mark, library in LIBRARIES.items():
    if mark not in program:
        failures.append(f"the program no longer carries '{mark.decode()}': is {library} still in it?")
    elif library.encode() not in licences.get("Qt-third-party.txt", b""):
        failures.append(f"the program carries {library} but Qt-third-party.txt has no notice for it")
for failure in failures:
    print("FAIL:", failure, file=sys.stderr)
sys.exit(1 if failures else 0)
