#!/usr/bin/python3
"""What Windows reads from the program file itself, read back with pefile:
Explorer's icon, the version record of Properties, Details, and the manifest
Windows reads before it starts the program; and no link time in its header,
which would make every build of the same source differ.

  program_resources.py PROGRAM.exe ICON.ico MANIFEST 1,0,0,0 NAME=VALUE...

The icon file, the manifest, the four version numbers and the version
strings are the ones the build put in.
"""
import struct
import sys
import xml.etree.ElementTree as ET

try:
    import pefile
except ImportError:
    sys.exit("FAIL: pefile is missing (Debian: python3-pefile; run with /usr/bin/python3)")

RT_ICON, RT_GROUP_ICON, RT_VERSION, RT_MANIFEST = 3, 14, 16, 24
WINDOWS_10_AND_11 = "{8e0f7a12-bfb3-4fe8-b9a5-48fd50a15a9a}"
failures = []


def check(ok, message):
    if not ok:
        failures.append(message)


def resources(pe, kind):
    """{id: bytes} of the resources of one type, in their first language."""
    found = {}
    for entry in pe.DIRECTORY_ENTRY_RESOURCE.entries if hasattr(pe, "DIRECTORY_ENTRY_RESOURCE") else []:
        if entry.id == kind:
            for item in entry.directory.entries:
                data = item.directory.entries[0].data.struct
                found[item.id] = pe.get_data(data.OffsetToData, data.Size)
    return found


def icon_images(ico):
    """(width, height, image bytes) of each image of an .ico file."""
    _, kind, count = struct.unpack_from("<HHH", ico)
    if kind != 1:
        sys.exit("FAIL: the icon file given is not an icon")
    images = []
    for i in range(count):
        width, height, _, _, _, _, size, offset = struct.unpack_from("<BBBBHHII", ico, 6 + 16 * i)
        images.append((width or 256, height or 256, ico[offset:offset + size]))
    return images


def shown_icon(pe):
    """(width, height, image bytes) of each image of the first icon group,
    the one the shell shows."""
    groups, icons = resources(pe, RT_GROUP_ICON), resources(pe, RT_ICON)
    if not groups:
        return []
    group = groups[min(groups)]
    images = []
    for i in range(struct.unpack_from("<HHH", group)[2]):
        width, height, _, _, _, _, _, image_id = struct.unpack_from("<BBBBHHIH", group, 6 + 14 * i)
        images.append((width or 256, height or 256, icons.get(image_id)))
    return images


def main():
    if len(sys.argv) < 6:
        sys.exit(__doc__)
    program, icon, manifest, rc_version, *strings = sys.argv[1:]
    pe = pefile.PE(program)

    shown = shown_icon(pe)
    check(shown == icon_images(open(icon, "rb").read()),
          f"the icon shown holds {[(w, h) for w, h, _ in shown]}, not the images of {icon}")

    # The version record: the four numbers in both fixed fields, and exactly
    # the strings given.
    numbers = [int(n) for n in rc_version.split(",")]
    fixed = pe.VS_FIXEDFILEINFO[0] if hasattr(pe, "VS_FIXEDFILEINFO") else None
    check(fixed, "no version record")
    if fixed:
        for field in ("FileVersion", "ProductVersion"):
            high, low = getattr(fixed, field + "MS"), getattr(fixed, field + "LS")
            found = [high >> 16, high & 0xFFFF, low >> 16, low & 0xFFFF]
            check(found == numbers, f"fixed {field} is {found}, not {numbers}")
        table = {}
        for info in pe.FileInfo[0]:
            for string_table in getattr(info, "StringTable", []):
                table.update({k.decode(): v.decode() for k, v in string_table.entries.items()})
        expected = dict(s.split("=", 1) for s in strings)
        check(table == expected, f"version strings are {table}, not {expected}")

    # The manifest, as the build wrote it, with what it must say.
    manifests = resources(pe, RT_MANIFEST)
    check(list(manifests) == [1], f"manifest resources {list(manifests)}, not one with id 1")
    if 1 in manifests:
        check(manifests[1] == open(manifest, "rb").read(), f"the manifest is not {manifest}")
        root = ET.fromstring(manifests[1])
        local = {element.tag.rsplit("}", 1)[-1]: element for element in root.iter()}
        level = local.get("requestedExecutionLevel")
        check(level is not None and level.get("level") == "asInvoker", "does not run as invoker")
        ids = {e.get("Id") for e in root.iter() if e.tag.endswith("}supportedOS")}
        check(ids == {WINDOWS_10_AND_11}, f"supportedOS {ids}, not Windows 10 and 11")
        awareness = local.get("dpiAwareness")
        check(awareness is not None and awareness.text == "PerMonitorV2", "dpiAwareness is not PerMonitorV2")
        check("dpiAware" in local, "no dpiAware for Windows that lack dpiAwareness")
        check("activeCodePage" not in local, "a code page other than the system's ANSI one")
        print(manifests[1].decode())

    check(pe.FILE_HEADER.TimeDateStamp == 0, f"link time {pe.FILE_HEADER.TimeDateStamp} in the PE header")

    for failure in failures:
        print("FAIL:", failure, file=sys.stderr)
    if failures:
        sys.exit(1)
    print("icon, version record, manifest and header as built")


if __name__ == "__main__":
    main()
