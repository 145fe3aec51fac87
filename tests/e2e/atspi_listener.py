#!/usr/bin/python3
"""An assistive technology client of the simplest kind: it hears what the
program announces through AT-SPI, as a screen reader does, and prints one
line for each announcement: the text it reads from the announcement, a tab,
and the text the name box holds at that moment.

  atspi_listener.py APPLICATION_NAME

Before Qt 6.8 the program announces by showing a notification whose name is
the text; it reads the name as screen readers do, from what its AT-SPI
library keeps of the object. From Qt 6.8 on, the announcement event carries
the text itself. It prints "ready" once it listens.
"""
import sys

import gi

gi.require_version("Atspi", "2.0")
from gi.repository import Atspi  # noqa: E402

application_name = sys.argv[1]


def find(accessible, role, name):
    """The first object below accessible with that role and name."""
    for i in range(accessible.get_child_count()):
        child = accessible.get_child_at_index(i)
        if child is None:
            continue
        if child.get_role() == role and child.get_name() == name:
            return child
        found = find(child, role, name)
        if found:
            return found
    return None


def box_text(source):
    box = find(source.get_application(), Atspi.Role.TEXT, "Neighborhood name")
    return Atspi.Text.get_text(box, 0, -1) if box else "(no name box)"


def heard(event):
    try:
        source = event.source
        if source.get_application().get_name() != application_name:
            return
        if event.type == "object:announcement":
            text = event.any_data
        elif event.detail1 == 1 and source.get_role() == Atspi.Role.NOTIFICATION:
            text = source.get_name()
        else:
            return
        print(f"{text}\t{box_text(source)}", flush=True)
    except Exception as error:  # noqa: BLE001 -- a dead object: say so, keep listening
        print(f"(unreadable: {error})", flush=True)


listener = Atspi.EventListener.new(heard)
listener.register("object:state-changed:showing")
listener.register("object:announcement")
print("ready", flush=True)
Atspi.event_main()
