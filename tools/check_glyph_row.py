#!/usr/bin/python3
"""Checks the glyph row of a main window in a screenshot against the shipped pictures.

Usage: check_glyph_row.py SCREENSHOT CLIENT_LEFT CLIENT_TOP IMAGES_FOLDER [GLYPH ...]

CLIENT_LEFT and CLIENT_TOP are the screen position of the window's client area (below the menu
bar). Box k of the row must show IMAGES_FOLDER/<k-th glyph>.gif pixel for pixel; the boxes after
the last glyph must be empty. Exits 0 when the row matches, 1 with a report when it does not.
Needs PIL (Debian: python3-pil).
"""
import sys
from pathlib import Path

from PIL import Image, ImageChops

# Picture1 to Picture10 in the client area, in twips (15 to a pixel), as the window places them.
TWIPS_PER_PIXEL = 15
BOX_LEFTS = [240, 1035, 1830, 2625, 3420, 4215, 5010, 5805, 6615, 7410]
BOX_TOP = 2280
# A picture is drawn from the box's top-left corner, inside its 1-pixel frame.
FRAME = 1
PICTURE_SIZE = (48, 48)


def picture_area(screen, client, k):
    left = client[0] + BOX_LEFTS[k] // TWIPS_PER_PIXEL + FRAME
    top = client[1] + BOX_TOP // TWIPS_PER_PIXEL + FRAME
    return screen.crop((left, top, left + PICTURE_SIZE[0], top + PICTURE_SIZE[1]))


def differing_pixels(shown, expected):
    difference = ImageChops.difference(shown, expected).convert("L")
    return sum(1 for value in difference.getdata() if value > 0)


def is_empty(shown):
    return len(set(shown.getdata())) == 1


def check_row(screen, client, images, glyphs):
    faults = []
    for k in range(len(BOX_LEFTS)):
        shown = picture_area(screen, client, k)
        if k < len(glyphs):
            expected = Image.open(images / f"{glyphs[k]}.gif").convert("RGB")
            count = differing_pixels(shown, expected)
            if count:
                faults.append(f"box {k + 1}: {count} pixels differ from {glyphs[k]}.gif")
        elif not is_empty(shown):
            faults.append(f"box {k + 1}: should be empty but shows a picture")
    return faults


def main(argv):
    if len(argv) < 5:
        print(__doc__, file=sys.stderr)
        return 2
    screen = Image.open(argv[1]).convert("RGB")
    client = (int(argv[2]), int(argv[3]))
    faults = check_row(screen, client, Path(argv[4]), argv[5:])
    for fault in faults:
        print(fault, file=sys.stderr)
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(sys.argv))
