#!/usr/bin/python3
"""Writes the licences folder of the Windows zip and installer, each file
with Windows line ends: the files given as NAME=PATH; Qt-third-party.txt, a
notice for each component compiled into the Qt libraries and plugins linked
into the program, from Qt's own attribution files (qt_attribution.json) and
the list of their sources that build_qt.sh keeps beside the Qt it builds; and
GCC-runtime.txt and winpthreads.txt, cut from the Debian copyright files of
the compiler's runtime libraries linked in.

  licences.py OUTDIR QT_PREFIX RUNTIME_LIBRARY... -- NAME=PATH...
"""
import json
import pathlib
import re
import subprocess
import sys


def fail(message):
    sys.exit(f"licences.py: {message}")


def write(folder, name, text):
    lines = text.replace("\r\n", "\n").rstrip("\n").split("\n")
    (folder / name).write_bytes(("\r\n".join(line.rstrip() for line in lines) + "\r\n").encode())


def applies(entry, folder, sources):
    """Whether any source compiled into the DLLs is the entry's: one of the
    files it names, or else anything in its folder."""
    named = entry.get("Files", entry.get("Path", "")).split()
    if named:
        return any(f"{folder}/{name}" in sources for name in named)
    return any(source.startswith(f"{folder}/") for source in sources)


def qt_notices(prefix):
    notes = pathlib.Path(prefix, "share", "hearthvale")
    try:
        sources = set(notes.joinpath("qt-sources.txt").read_text().split())
    except OSError as error:
        fail(f"{error}: build_qt.sh keeps the list of Qt's sources beside the Qt it builds")
    root = notes / "attributions"
    parts = []
    for found in sorted(root.rglob("qt_attribution.json")):
        entries = json.loads(found.read_text(encoding="utf-8"), strict=False)  # Qt's hold raw tabs
        folder = found.parent.relative_to(root).as_posix()
        for entry in entries if isinstance(entries, list) else [entries]:
            if not applies(entry, folder, sources):
                continue
            head = [entry["Name"] + (f", version {entry['Version']}" if "Version" in entry else ""),
                    f"In Qt's source: {folder}", "", entry.get("Copyright", "").strip(), "",
                    f"Licence: {entry.get('License', entry.get('LicenseId', ''))}"]
            files = entry.get("LicenseFiles") or ([entry["LicenseFile"]] if "LicenseFile" in entry else [])
            texts = [(found.parent / name).read_text(encoding="utf-8", errors="replace").strip() for name in files]
            parts.append("\n".join(head + [""] + texts))
    if not parts:
        fail(f"no attribution in {root} applies to the sources in qt-sources.txt")
    return ("Third-party code compiled into the Qt libraries and plugins that are linked into\n"
            "hearthvale-names.exe, as Qt's source lists it (qt_attribution.json):\n\n"
            + f"\n\n{'=' * 78}\n\n".join(parts))


def debian_copyright(library):
    """The copyright file of the Debian package that ships the library."""
    try:
        owner = subprocess.run(["dpkg-query", "-S", str(pathlib.Path(library).resolve())],
                               capture_output=True, text=True, check=True).stdout
    except (OSError, subprocess.CalledProcessError):
        fail(f"no Debian package owns {library}, so its licence cannot be taken from one")
    package = owner.split(":")[0]
    return package, pathlib.Path("/usr/share/doc", package, "copyright").read_text()


def cut(text, pattern, what):
    found = re.search(pattern, text, re.M | re.S)
    if not found:
        fail(f"{what} not found where Debian's copyright file had it")
    return found.group(0)


def gcc_runtime(libraries):
    package, text = debian_copyright(libraries[0])
    return (f"{', '.join(pathlib.Path(d).name for d in libraries)}: GCC's runtime libraries, linked into\n"
            f"hearthvale-names.exe from Debian's package {package}, under the GNU General Public\n"
            "License version 3 (GPL-3.0.txt) with the GCC Runtime Library Exception, as its\n"
            "copyright file says:\n\n"
            + cut(text, r"^GCC is Copyright.*?\(included in this file\):\n\n(?: [^\n]*\n)+", "GCC's terms").rstrip() + "\n\n"
            + cut(text, r"^GCC RUNTIME LIBRARY EXCEPTION$.*?requirements of the license of GCC\.$", "The exception"))


def winpthreads(library):
    """The winpthreads paragraphs of a machine-readable copyright file, and
    the licence texts they name."""
    package, text = debian_copyright(library)
    paragraphs = re.split(r"\n[ \t]*\n", text)

    def field(paragraph, name):
        found = re.search(rf"^{name}: *(.*)$", paragraph, re.M)
        return found.group(1).strip() if found else None

    ours = [p for p in paragraphs if re.search(r"winpthreads/(?!tests)", field(p, "Files") or "")]
    if not ours:
        fail(f"no winpthreads files in the copyright file of {package}")
    names = {field(p, "License") for p in ours}
    texts = [p for p in paragraphs if field(p, "Files") is None and field(p, "License") in names]
    return (f"{pathlib.Path(library).name}: mingw-w64's winpthreads, linked into hearthvale-names.exe from\n"
            f"Debian's package {package}, as its copyright file gives its terms:\n\n" + "\n\n".join(ours + texts))


def main():
    if "--" not in sys.argv or len(sys.argv) < 4:
        fail(__doc__)
    split = sys.argv.index("--")
    out, prefix, runtime, copies = pathlib.Path(sys.argv[1]), sys.argv[2], sys.argv[3:split], sys.argv[split + 1:]
    out.mkdir(parents=True, exist_ok=True)
    for copy in copies:
        name, path = copy.split("=", 1)
        write(out, name, pathlib.Path(path).read_text(encoding="utf-8"))
    write(out, "Qt-third-party.txt", qt_notices(prefix))
    gcc = [d for d in runtime if "winpthread" not in pathlib.Path(d).name]
    threads = [d for d in runtime if "winpthread" in pathlib.Path(d).name]
    if gcc:
        write(out, "GCC-runtime.txt", gcc_runtime(gcc))
    if threads:
        write(out, "winpthreads.txt", winpthreads(threads[0]))


main()
