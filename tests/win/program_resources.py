#!/usr/bin/python3
"""What Windows reads from the program file itself, read back with pefile
against what the build put in: Explorer's icon, the version record of
Properties, Details, the manifest Windows reads before it starts the
program; the DLLs it asks for, all Windows' own, since Qt and the compiler's
runtime are linked in; and no link time in its header, which would make each
build differ.

  program_resources.py PROGRAM.exe ICON.ico MANIFEST 1,0,0,0 NAME=VALUE...
"""
import re
import struct
import sys
import xml.etree.ElementTree as ET

import pefile

RT_ICON, RT_GROUP_ICON, RT_MANIFEST = 3, 14, 24


def resources(pe, kind):
    """{id: bytes} of the resources of one type, in their first language."""
    found, directory = {}, getattr(pe, "DIRECTORY_ENTRY_RESOURCE", None)
    for entry in directory.entries if directory else []:
        for item in entry.directory.entries if entry.id == kind else []:
            data = item.directory.entries[0].data.struct
            found[item.id] = pe.get_data(data.OffsetToData, data.Size)
    return found


def icon_images(ico):
    """(width, height, bytes) of each image of an .ico file."""
    images = [struct.unpack_from("<BBxxxxxxII", ico, 6 + 16 * i) for i in range(struct.unpack_from("<H", ico, 4)[0])]
    return [(w or 256, h or 256, ico[offset:offset + size]) for w, h, size, offset in images]


def shown_icon(pe):
    """(width, height, bytes) of each image of the first icon group, the one
    the shell shows."""
    groups, icons = resources(pe, RT_GROUP_ICON), resources(pe, RT_ICON)
    group = groups[min(groups)] if groups else b"\0" * 6
    images = [struct.unpack_from("<BBxxxxxxxxxxH", group, 6 + 14 * i) for i in range(struct.unpack_from("<H", group, 4)[0])]
    return [(w or 256, h or 256, icons.get(image)) for w, h, image in images]


def main():
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    program, icon, manifest, rc_version, *strings = sys.argv[1:]
    pe = pefile.PE(program)
    failures = []

    shown = shown_icon(pe)
    if shown != icon_images(open(icon, "rb").read()):
        failures.append(f"the icon shown holds {[(w, h) for w, h, _ in shown]}, not the images of {icon}")

    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    numbers = [int(n) for n in rc_version.split(",")]
    for field in ("FileVersion", "ProductVersion") if fixed else []:
        high, low = getattr(fixed, field + "MS"), getattr(fixed, field + "LS")
        if [high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF] != numbers:
            failures.append(f"the fixed {field} is not {numbers}")
    table = {k.decode(): v.decode() for info in getattr(pe, "FileInfo", [[]])[0]
             for t in getattr(info, "StringTable", []) for k, v in t.entries.items()}
    if not fixed or table != dict(s.split("=", 1) for s in strings):
        failures.append(f"the version record's strings are {table}, not {strings}")

    manifests = resources(pe, RT_MANIFEST)
    if list(manifests) != [1] or manifests[1] != open(manifest, "rb").read():
        failures.append(f"manifest resources {list(manifests)}, not one with id 1 holding {manifest}")
    else:
        ET.fromstring(manifests[1])  # Windows refuses to start a program whose manifest is not XML

    imports = [entry.dll.decode() for entry in getattr(pe, "DIRECTORY_ENTRY_IMPORT", [])]
    ours = [dll for dll in imports if re.match(r"(?i)(qt\d|lib(gcc|stdc|winpthread))", dll)]
    if not imports or ours:
        failures.append(f"the program asks for DLLs that Windows does not have: {ours or 'none at all'}")

    if pe.FILE_HEADER.TimeDateStamp != 0:
        failures.append(f"link time {pe.FILE_HEADER.TimeDateStamp} in the PE header")
    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    sys.exit(1 if failures else 0)


if __name__ == "__main__":
    main()
