"""The real program under X, driven as a person would: started, typed into and converted, with the
row copied to the clipboard. Shared by the scripts that read what it offers other programs."""
import os
import subprocess
import tempfile
from pathlib import Path


def xdotool(*arguments, **options):
    return subprocess.run(["xdotool", *arguments], capture_output=True, text=True, check=True,
                          **options).stdout


class RealProgram:
    """The program started on the current display, with options of its own (a fresh settings
    folder), so that what one run chooses never reaches the next; `convert` types a text into its
    box and presses Enter; `copy_row` moves the focus off the text box and presses Ctrl+C."""

    def __init__(self, program, facts):
        self.folder = Path(program).resolve().parent
        lines = subprocess.run([facts, "design"], capture_output=True, text=True,
                               check=True).stdout.splitlines()
        self.design = {line.split()[0]: [int(n) for n in line.split()[1:]] for line in lines}
        self.settings = tempfile.TemporaryDirectory()
        self.process = subprocess.Popen([program], env={**os.environ, "QT_QPA_PLATFORM": "xcb",
                                                        "XDG_CONFIG_HOME": self.settings.name})
        window = xdotool("search", "--sync", "--onlyvisible", "--pid", str(self.process.pid),
                         "--name", "^Scarabo - ", timeout=30).split()[0]
        geometry = dict(item.split("=") for item in xdotool("getwindowgeometry", "--shell",
                                                              window).split())
        self.client = (int(geometry["X"]),
                       int(geometry["Y"]) + int(geometry["HEIGHT"]) - self.design["client"][1])

    def convert(self, text):
        x, y, w, h = self.design["txtEnglish"]
        xdotool("mousemove", str(self.client[0] + x + w // 2), str(self.client[1] + y + h // 2),
                "click", "1", "type", text)
        xdotool("key", "Return")

    def copy_row(self):
        # Where the cursor is after typing: in the text box, with nothing selected.
        xdotool("key", "ctrl+c")

    def close(self):
        if self.process.poll() is None:
            xdotool("key", "Escape")
            try:
                self.process.wait(timeout=10)
            except subprocess.TimeoutExpired:
                self.process.kill()
        status = self.process.wait()
        self.settings.cleanup()
        return status
