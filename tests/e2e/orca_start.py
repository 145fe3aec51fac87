"""Starts Orca from its own start script, as a test needs it: its debug log
written a line at a time, so that what Orca says can be read as it says it
and nothing is lost when it is killed. Run by the interpreter that Orca's
script names, whose modules it needs.

  orca_start.py ORCA_SCRIPT ARGUMENT...      (ARGUMENT... includes --debug-file LOG)
"""
import builtins
import runpy
import sys

script, *arguments = sys.argv[1:]
log = arguments[arguments.index("--debug-file") + 1]
system_open = builtins.open


def line_buffered(file, mode="r", buffering=-1, *rest, **options):
    return system_open(file, mode, 1 if file == log else buffering, *rest, **options)


builtins.open = line_buffered
sys.argv = [script, *arguments]
runpy.run_path(script, run_name="__main__")
