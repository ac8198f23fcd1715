#!/usr/bin/python3
"""Checks the row pictures that Scarabo saves with programs other than Scarabo.

Usage: check_row_pictures.py WRITER DATA_FOLDER WORK_FOLDER

WRITER is writerowpicture; DATA_FOLDER holds Alphabet.dat and Images/. The PNG is decoded by PIL and
measured; the SVG is drawn by rsvg-convert (librsvg2-bin) and compared with the PNG, and its
elements and text are read by Python's XML parser. Exits 0 when every check passes, 1 with the
failures. Needs PIL (Debian: python3-pil).
"""
import csv
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

from PIL import Image, ImageChops, ImageOps

SHIP = ["sh", "i", "p"]
SHIP_UNICODE = "\U00013219\U000131CB\U000132AA"
SVG = "{http://www.w3.org/2000/svg}"
# Antialiasing may round the two edges of a curve apart by a few levels when it is mirrored.
MIRROR_TOLERANCE = 4

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def write(writer, data, work, text, name, *flags):
    path = work / name
    result = subprocess.run([writer, data, text, path, *flags], capture_output=True, text=True)
    if result.returncode != 0:
        sys.exit(f"{writer} {text} {name}: {result.stderr.strip()}")
    return path


def picture(writer, data, work, text, name, *flags):
    return Image.open(write(writer, data, work, text, name, *flags)).convert("RGBA")


def largest_difference(a, b):
    """The largest difference of two pictures in any band, colour or alpha."""
    return max(high for _, high in ImageChops.difference(a, b).getextrema())


def ink_box(image):
    """Where image is darker than mid-grey on white."""
    flat = Image.new("RGBA", image.size, "white")
    flat.alpha_composite(image)
    return flat.convert("L").point(lambda value: 255 if value < 128 else 0).getbbox()


def check_png(data, work, writer):
    def made(text, name, *flags):
        return picture(writer, data, work, text, name, *flags)

    grouped, in_row = made("ntrntr", "groups.png"), made("ntrntr", "row.png", "row")
    check(grouped.width <= 0.6 * in_row.width, f"ntrntr is {grouped.width} wide in groups, {in_row.width} in a row")

    ltr, rtl = made("Cleopatra", "ltr.png"), made("Cleopatra", "rtl.png", "rtl")
    check(ltr.size == rtl.size and largest_difference(ImageOps.mirror(ltr), rtl) <= MIRROR_TOLERANCE,
          "rtl.png is not the mirror image of ltr.png")

    vertical = made("Cleopatra", "vertical.png", "vertical")
    check(vertical.height > vertical.width, f"vertical.png is {vertical.size}")

    # The vulture is a full-height sign: 20 mm at 300 dpi are 236 pixels.
    left, top, right, bottom = ink_box(made("a", "vulture.png", "mm=20", "dpi=300"))
    check(abs((bottom - top) - 236) <= 3, f"the vulture of 20 mm at 300 dpi is {bottom - top} pixels tall")

    # Nothing at all where the white picture is white: no background, no tile behind a sign.
    for flags in ((), ("letters", "cartouche")):
        white = made("Cleopatra", "white.png", *flags)
        clear = made("Cleopatra", "clear.png", "transparent", *flags)
        outside = [clear.getpixel(xy)[3] for xy in white_pixels(white)]
        check(clear.size == white.size and set(outside) == {0},
              f"clear.png {flags}: alpha {set(outside) - {0}} outside the ink")


def white_pixels(image):
    data = image.getdata()
    return [(k % image.width, k // image.width) for k, pixel in enumerate(data) if pixel == (255, 255, 255, 255)]


def rendered(svg, work):
    png = work / (svg.stem + "-rsvg.png")
    subprocess.run(["rsvg-convert", "--format=png", "--output", png, svg], check=True)
    return Image.open(png).convert("RGBA")


def alphabet_texts(data, per_row=10):
    """Every entry of the alphabet, a row of up to per_row at a time, words apart."""
    with open(data / "Alphabet.dat", encoding="utf-8", newline="") as table:
        entries = [row[0] for row in list(csv.reader(table))[2:] if row]
    return [" ".join(entries[k:k + per_row]) for k in range(0, len(entries), per_row)]


def check_svg_drawing(data, work, writer):
    for k, text in enumerate(alphabet_texts(data)):
        root = ET.parse(write(writer, data, work, text, f"alphabet{k}.svg")).getroot()
        paths, pictures = len(list(root.iter(SVG + "path"))), len(list(root.iter(SVG + "image")))
        check(paths and not pictures, f"alphabet{k}.svg: {paths} paths, {pictures} pictures")
    for flags in ((), ("letters", "cartouche")):
        name = "-".join(("cleopatra",) + flags)
        drawn = rendered(write(writer, data, work, "Cleopatra", name + ".svg", *flags), work)
        expected = picture(writer, data, work, "Cleopatra", name + ".png", *flags)
        drawn_box, expected_box = ink_box(drawn), ink_box(expected)
        near = drawn_box and expected_box and all(abs(a - b) <= 1 for a, b in zip(drawn_box, expected_box))
        check(drawn.size == expected.size and near,
              f"{name}.svg is drawn {drawn.size} with ink at {drawn_box}, the PNG {expected.size} at {expected_box}")


def texts(root):
    return ["".join(element.itertext()) for element in root.iter(SVG + "text")]


def check_svg_text(data, work, writer):
    root = ET.parse(write(writer, data, work, "ship", "text.svg", "letters")).getroot()
    found = texts(root)
    check(all(sign in found for sign in SHIP_UNICODE), f"text.svg: the Unicode signs are not all text: {found}")
    check("ship" in found, f"text.svg: no text element holds the English text, only {found}")
    check(all(letters in found for letters in SHIP), f"text.svg: the letters are not all text: {found}")
    check(root.findtext(SVG + "title") == "ship", "text.svg: its title is not the English text")
    check(root.findtext(SVG + "desc") == SHIP_UNICODE, "text.svg: its description is not the Unicode row")

    # Characters that XML cannot carry are left out, and markup is escaped, so the document parses.
    try:
        odd = ET.parse(write(writer, data, work, "sh\x01ip\x7f&<", "odd.svg")).getroot()
        check(odd.findtext(SVG + "title") == "ship\x7f&<", f"odd.svg: its title is {odd.findtext(SVG + 'title')!r}")
    except ET.ParseError as error:
        failures.append(f"odd.svg does not parse: {error}")


def main():
    writer, data, work = sys.argv[1], Path(sys.argv[2]), Path(sys.argv[3])
    work.mkdir(parents=True, exist_ok=True)
    check_png(data, work, writer)
    check_svg_drawing(data, work, writer)
    check_svg_text(data, work, writer)
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


main()
