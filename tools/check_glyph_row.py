#!/usr/bin/python3
"""Checks the glyph row of a main window in a screenshot against the shipped pictures.

Usage: check_glyph_row.py SCREENSHOT CLIENT_LEFT CLIENT_TOP DESIGN IMAGES_FOLDER [GLYPH ...]

CLIENT_LEFT and CLIENT_TOP are the screen position of the window's client area (below the menu
bar); DESIGN is what `scarabo-facts design` prints, where the boxes Picture1 to Picture10 sit.
Box k of the row must show IMAGES_FOLDER/<k-th glyph>.gif pixel for pixel; the boxes after the
last glyph must be empty. Exits 0 when the row matches, 1 with a report when it does not.
Needs PIL (Debian: python3-pil).
"""
import sys
from pathlib import Path

from PIL import Image, ImageChops

BOX_COUNT = 10
# A picture is drawn from the box's top-left corner, inside its 1-pixel frame.
FRAME = 1
PICTURE_SIZE = (48, 48)


def box_origins(design):
    """Picture1 to Picture10's top-left corners in the client area, from the design's lines."""
    boxes = {}
    for line in design.splitlines():
        name, *numbers = line.split()
        boxes[name] = tuple(int(n) for n in numbers[:2])
    return [boxes[f"Picture{k}"] for k in range(1, BOX_COUNT + 1)]


def picture_area(screen, client, origin):
    left = client[0] + origin[0] + FRAME
    top = client[1] + origin[1] + FRAME
    return screen.crop((left, top, left + PICTURE_SIZE[0], top + PICTURE_SIZE[1]))


def differing_pixels(shown, expected):
    difference = ImageChops.difference(shown, expected).convert("L")
    return sum(1 for value in difference.getdata() if value > 0)


def is_empty(shown):
    return len(set(shown.getdata())) == 1


def check_row(screen, client, origins, images, glyphs):
    faults = []
    for k, origin in enumerate(origins):
        shown = picture_area(screen, client, origin)
        if k < len(glyphs):
            expected = Image.open(images / f"{glyphs[k]}.gif").convert("RGB")
            count = differing_pixels(shown, expected)
            if count:
                faults.append(f"box {k + 1}: {count} pixels differ from {glyphs[k]}.gif")
        elif not is_empty(shown):
            faults.append(f"box {k + 1}: should be empty but shows a picture")
    return faults


def main(argv):
    if len(argv) < 6:
        print(__doc__, file=sys.stderr)
        return 2
    screen = Image.open(argv[1]).convert("RGB")
    client = (int(argv[2]), int(argv[3]))
    origins = box_origins(Path(argv[4]).read_text())
    faults = check_row(screen, client, origins, Path(argv[5]), argv[6:])
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
