#!/usr/bin/python3
"""makensis, given CPack's installer script with the uninstaller's file and
folder lists in a fixed order. CPack writes them in the order the file
system lists the staged files, so that two builds of the same files would
make two different installers.

  makensis_sorted.py MAKENSIS_ARGUMENTS...
"""
import re
import subprocess
import sys

for argument in sys.argv[1:]:
    if argument.endswith(".nsi"):
        with open(argument, encoding="utf-8") as file:
            script = file.read()
        for command, reverse in (("Delete", False), ("RMDir", True)):  # a folder's own after what is in it
            block = re.compile(rf'(?:^  {command} "\$INSTDIR\\[^\n]*\n)+', re.M)
            script = block.sub(lambda lines: "".join(sorted(lines[0].splitlines(True), reverse=reverse)), script)
        with open(argument, "w", encoding="utf-8") as file:
            file.write(script)
sys.exit(subprocess.call(["makensis", *sys.argv[1:]]))
