#!/usr/bin/python3
"""Converts "ship" in the real program, copies the row with Ctrl+C (the focus off the text box) and
then with Edit, Copy as Picture, and reads the clipboard the way other programs do, with xclip: the
flavours offered, the Unicode text exactly, and a PNG in which every glyph's shipped picture
appears pixel for pixel.

usage: xvfb-run -a clipboard_check.py PROGRAM FACTS   (needs xdotool, xclip, python3-pil)
"""
import io
import subprocess
import sys
import time

from PIL import Image, ImageChops
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


def contains_picture(row, picture):
    """Whether picture appears in row at some place, pixel for pixel."""
    for top in range(row.height - picture.height + 1):
        for left in range(row.width - picture.width + 1):
            area = row.crop((left, top, left + picture.width, top + picture.height))
            if ImageChops.difference(area, picture).getbbox() is None:
                return True
    return False


def on_white(path):
    picture = Image.open(path).convert("RGBA")
    white = Image.new("RGBA", picture.size, "white")
    return Image.alpha_composite(white, picture).convert("RGB")


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
        row = Image.open(io.BytesIO(xclip("image/png"))).convert("RGBA")
        row = Image.alpha_composite(Image.new("RGBA", row.size, "white"), row).convert("RGB")
        for glyph in GLYPHS:
            assert contains_picture(row, on_white(app.folder / "Images" / f"{glyph}.gif")), \
                f"the copied picture lacks {glyph}"

        # Edit, Copy as Picture: the picture alone.
        subprocess.run(["xdotool", "key", "alt+e", "p"], check=True)
        time.sleep(1)
        targets = wait_for_targets([["image/png"]])
        assert "text/html" not in targets and "UTF8_STRING" not in targets, targets
        print(f"clipboard: {' '.join(sorted(targets))}")
    finally:
        status = app.close()
    assert status == 0, f"the program ended with {status}"
    return 0


if __name__ == "__main__":
    sys.exit(main(sys.argv[1], sys.argv[2]))
