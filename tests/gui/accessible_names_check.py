#!/usr/bin/python3
"""Starts the program with Qt's accessibility bridge on, converts "ship" through the accessibility
interface, and checks what a screen reader reads: the text box named after its label "English",
each filled glyph box named by its letters and sign, the captions under the boxes, and the
written name: a picture named by the text, its signs as its description; then a name
whose note is too long for its line, which the note's description holds whole.

usage: xvfb-run -a dbus-run-session -- accessible_names_check.py PROGRAM

Each property is read on its own, as screen readers do: Qt 6.4's bridge crashes when a client asks
org.freedesktop.DBus.Properties.GetAll.
"""
import os
import subprocess
import sys
import time

import pyatspi

TEXT = "ship"
BOXES = ["sh: N37, pool", "i: M17, reed", "p: Q3, stool"] + [""] * 7
CAPTIONS = ["sh", "i", "p"] + [""] * 7
WRITTEN = "; ".join(BOXES[:3])
BOX_SIZE = 50  # pixels; the boxes are the window's only 50 x 50 controls
LONG = "Mary+Jane O'Neil"
LONG_NOTE = ("Only 10 glyphs fit: 3 more characters were left out, from \u201ceil\u201d. "
             "No glyph for \u201c+\u201d.")


def wait_for(what, find, seconds=30):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        found = find()
        if found:
            return found
        time.sleep(0.2)
    raise AssertionError(f"no {what} within {seconds} s")


def application(pid):
    desktop = pyatspi.Registry.getDesktop(0)
    for app in (desktop.getChildAtIndex(i) for i in range(desktop.childCount)):
        if app is not None and app.get_process_id() == pid:
            return app
    return None


def descendants(node):
    for child in (node.getChildAtIndex(i) for i in range(node.childCount)):
        yield child
        yield from descendants(child)


def extents(node):
    box = node.queryComponent().getExtents(pyatspi.WINDOW_COORDS)
    return box.x, box.y, box.width, box.height


def only(nodes, what):
    if len(nodes) != 1:
        raise AssertionError(f"{len(nodes)} {what}, expected one")
    return nodes[0]


def row_names(controls):
    """Names of the glyph boxes, left to right, and of the caption under each: the control below
    a box that has its left edge and width."""
    places = {node: extents(node) for node in controls}
    boxes = sorted((node for node, place in places.items() if place[2:] == (BOX_SIZE, BOX_SIZE)),
                   key=lambda node: places[node][0])
    captions = []
    for box in boxes:
        x, y, w, _ = places[box]
        under = [node for node, (nx, ny, nw, _) in places.items() if (nx, nw) == (x, w) and ny > y]
        captions.append(only(under, f"controls under the box at {x}, {y}").name)
    return [box.name for box in boxes], captions


def check(program):
    environment = dict(os.environ, QT_LINUX_ACCESSIBILITY_ALWAYS_ON="1", QT_QPA_PLATFORM="xcb")
    process = subprocess.Popen([program], env=environment)
    try:
        app = wait_for("application on the accessibility bus", lambda: application(process.pid))
        frame = wait_for("main window", lambda: [node for node in descendants(app)
                                                 if node.getRole() == pyatspi.ROLE_FRAME])[0]
        controls = list(descendants(frame))
        text_box = only([n for n in controls if n.getRole() == pyatspi.ROLE_TEXT], "text boxes")
        convert = only([n for n in controls if n.getRole() == pyatspi.ROLE_PUSH_BUTTON
                        and n.name == "Convert"], "Convert buttons")
        faults = []
        if text_box.name != "English":
            faults.append(f"the text box is named {text_box.name!r}, not 'English'")

        text_box.queryEditableText().setTextContents(TEXT)
        convert.queryAction().doAction(0)

        def converted():
            for node in controls:
                node.clear_cache()
            names = row_names(controls)
            return names if names[0][0] else None

        boxes, captions = wait_for(f"glyph box named after converting {TEXT!r}", converted, 10)
        if boxes != BOXES:
            faults.append(f"the glyph boxes are named {boxes}, not {BOXES}")
        if captions != CAPTIONS:
            faults.append(f"the captions read {captions}, not {CAPTIONS}")
        written = only([node for node in controls
                        if node.getRole() == pyatspi.ROLE_IMAGE and node.name == TEXT],
                       f"pictures named {TEXT!r}")
        if written.description != WRITTEN:
            faults.append(f"the written name is described as {written.description!r}")

        text_box.queryEditableText().setTextContents(LONG)
        convert.queryAction().doAction(0)

        def notes():
            for node in controls:
                node.clear_cache()
            return [node for node in controls if node.name.startswith("Only 10 glyphs fit")]

        note = only(wait_for(f"note after converting {LONG!r}", notes, 10), "notes")
        if note.description != LONG_NOTE or not LONG_NOTE.startswith(note.name.rstrip("\u2026")):
            faults.append(f"the note reads {note.name!r}, described as {note.description!r}")
        if process.poll() is not None:
            faults.append(f"the program ended with status {process.returncode}")
        return faults
    finally:
        if process.poll() is None:
            process.terminate()
        process.wait(10)


def main():
    faults = check(sys.argv[1])
    for fault in faults:
        print(f"accessible names: {fault}", file=sys.stderr)
    if not faults:
        print("accessible names: the text box, glyph boxes, captions and written name read as expected")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main())
