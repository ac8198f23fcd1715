#!/usr/bin/python3
"""Converts "ship" in the real program, copies the row with Ctrl+C (the focus off the text box) and
then with Edit, Copy as Picture, and reads the clipboard the way other programs do, with xclip: the
flavours offered, the Unicode text exactly, and a PNG of the name as the window writes it: a line
wider than high, then, after Options, Direction, In Columns, a column higher than wide.

usage: xvfb-run -a clipboard_check.py PROGRAM FACTS   (needs xdotool, xclip, python3-pil)
"""
import io
import subprocess
import sys
import time

from PIL import Image
from realprogram import RealProgram

GLYPHS = ["sh", "i", "p"]
UNICODE = "\U00013219\U000131CB\U000132AA"


def xclip(target):
    return subprocess.run(["xclip", "-selection", "clipboard", "-t", target, "-o"],
                          capture_output=True, check=True, timeout=10).stdout


def wait_for_targets(wanted, seconds=10):
    deadline = time.monotonic() + seconds
    while time.monotonic() < deadline:
        try:
            targets = xclip("TARGETS").decode().split()
            if all(any(t in targets for t in choice) for choice in wanted):
                return targets
        except subprocess.CalledProcessError:
            pass
        time.sleep(0.2)
    raise AssertionError(f"the clipboard never offered {wanted}")


def ink_size(png):
    """The width and height of what is drawn in the picture, on white."""
    picture = Image.open(io.BytesIO(png)).convert("RGBA")
    picture = Image.alpha_composite(Image.new("RGBA", picture.size, "white"), picture)
    box = picture.convert("L").point(lambda v: 255 if v < 128 else 0).getbbox()
    assert box, "the copied picture is blank"
    return box[2] - box[0], box[3] - box[1]


def main(program, facts):
    app = RealProgram(program, facts)
    try:
        app.convert("ship")
        app.copy_row()
        targets = wait_for_targets([["UTF8_STRING"], ["text/plain;charset=utf-8"], ["text/html"],
                                    ["image/png"]])
        for target in ("UTF8_STRING", "text/plain;charset=utf-8"):
            text = xclip(target).decode("utf-8")
            assert text == UNICODE, f"text as {target}: {text!r}"
        html = xclip("text/html").decode("utf-8")
        assert all(f'alt="{g}"' in html for g in GLYPHS), "html lacks the letters as alt text"
        width, height = ink_size(xclip("image/png"))
        assert width > height, f"the copied line is {width} x {height}"

        # Options, Direction, In Columns; then Edit, Copy as Picture: the picture alone.
        for keys in (["alt+o", "d", "c"], ["alt+e", "p"]):
            subprocess.run(["xdotool", "key", "--delay", "300", *keys], check=True)
        time.sleep(1)
        targets = wait_for_targets([["image/png"]])
        assert "text/html" not in targets and "UTF8_STRING" not in targets, targets
        width, height = ink_size(xclip("image/png"))
        assert height > width, f"the copied column is {width} x {height}"
        print(f"clipboard: {' '.join(sorted(targets))}")
    finally:
        status = app.close()
    assert status == 0, f"the program ended with {status}"
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
