#!/usr/bin/python3
"""Copies the row of "ship" in the real program and pastes it into a real LibreOffice Writer on the
same display, driven through its UNO API as a person's Edit, Paste would be: the document then holds
the row's picture (Writer takes the image flavour) or the hieroglyphs as text.

usage: xvfb-run -a writer_paste_check.py PROGRAM FACTS   (needs xdotool, libreoffice-writer, python3-uno)
"""
import os
import signal
import subprocess
import sys
import tempfile
import time
from pathlib import Path

import uno
from realprogram import RealProgram

UNICODE = "\U00013219\U000131CB\U000132AA"


def start_office(profile, pipe):
    # A real office on the display (not headless), so its clipboard is the display's.
    return subprocess.Popen(
        ["soffice", "--norestore", "--nologo", "--nodefault", "--nolockcheck",
         f"-env:UserInstallation={Path(profile).as_uri()}", f"--accept=pipe,name={pipe};urp;"],
        env={**os.environ, "SAL_USE_VCLPLUGIN": "gen"}, start_new_session=True,
        stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def connect(pipe, seconds=90):
    local = uno.getComponentContext()
    resolver = local.ServiceManager.createInstanceWithContext(
        "com.sun.star.bridge.UnoUrlResolver", local)
    deadline = time.monotonic() + seconds
    while True:
        try:
            return resolver.resolve(f"uno:pipe,name={pipe};urp;StarOffice.ComponentContext")
        except Exception:  # the office is still starting
            if time.monotonic() > deadline:
                raise
            time.sleep(0.5)


def paste_into_new_document(context):
    manager = context.ServiceManager
    desktop = manager.createInstanceWithContext("com.sun.star.frame.Desktop", context)
    document = desktop.loadComponentFromURL("private:factory/swriter", "_blank", 0, ())
    dispatcher = manager.createInstanceWithContext("com.sun.star.frame.DispatchHelper", context)
    dispatcher.executeDispatch(document.CurrentController.Frame, ".uno:Paste", "", 0, ())
    return document.GraphicObjects.Count, document.Text.String


def main(program, facts):
    app = RealProgram(program, facts)
    with tempfile.TemporaryDirectory(prefix="scarabo-paste-") as profile:
        pipe = f"scarabo_paste_{os.getpid()}"
        office = start_office(profile, pipe)
        try:
            app.convert("ship")
            app.copy_row()
            context = connect(pipe)
            pictures, text = paste_into_new_document(context)
        finally:
            os.killpg(office.pid, signal.SIGKILL)
            office.wait()
            app.close()
    print(f"pasted into Writer: {pictures} pictures, text {text.strip()!r}")
    assert pictures >= 1 or UNICODE in text, "Writer received neither the picture nor the text"
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
