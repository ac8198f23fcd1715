#!/usr/bin/python3
"""Checks the row pictures that Scarabo saves with programs other than Scarabo.

Usage: check_row_pictures.py WRITER DATA_FOLDER WORK_FOLDER

WRITER is writerowpicture; DATA_FOLDER holds Alphabet.dat and Images/. The PNG is decoded by PIL and
compared pixel for pixel with the shipped pictures; the SVG is drawn by rsvg-convert (librsvg2-bin)
and compared with the PNG, and its text is read by Python's XML parser. Exits 0 when every check
passes, 1 with the failures. Needs PIL (Debian: python3-pil).
"""
import subprocess
import sys
import xml.etree.ElementTree as ET
from pathlib import Path

from PIL import Image, ImageChops

SPACING = 4  # between the pictures and around them
PICTURE = 48
SHIP = ["sh", "i", "p"]
SHIP_UNICODE = "\U00013219\U000131CB\U000132AA"
SVG = "{http://www.w3.org/2000/svg}"

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


def largest_difference(a, b):
    """The largest difference of two pictures in any band, colour or alpha."""
    return max(high for _, high in ImageChops.difference(a, b).getextrema())


def picture_boxes(count):
    return [(SPACING + k * (PICTURE + SPACING), SPACING) for k in range(count)]


def shipped(data, entry):
    return Image.open(data / "Images" / f"{entry}.gif").convert("RGBA")


def check_pictures(image, data, what):
    for entry, (left, top) in zip(SHIP, picture_boxes(len(SHIP))):
        area = image.crop((left, top, left + PICTURE, top + PICTURE))
        check(largest_difference(area, shipped(data, entry)) == 0,
              f"{what}: the picture of {entry} at {left},{top} differs from {entry}.gif")


def outside_pictures(image):
    """Every pixel of image that lies in no picture's box."""
    boxes = picture_boxes(len(SHIP))
    for y in range(image.height):
        for x in range(image.width):
            if not any(left <= x < left + PICTURE and top <= y < top + PICTURE for left, top in boxes):
                yield image.getpixel((x, y))


def check_png(data, work, writer):
    width = SPACING + len(SHIP) * (PICTURE + SPACING)
    plain = Image.open(write(writer, data, work, "ship", "ship.png"))
    check(plain.size == (width, PICTURE + 2 * SPACING), f"ship.png is {plain.size}")
    plain = plain.convert("RGBA")
    check_pictures(plain, data, "ship.png")
    check(set(outside_pictures(plain)) == {(255, 255, 255, 255)}, "ship.png: not white around the pictures")

    clear = Image.open(write(writer, data, work, "ship", "clear.PNG", "transparent")).convert("RGBA")
    check(clear.size == plain.size, f"clear.PNG is {clear.size}")
    check_pictures(clear, data, "clear.PNG")
    check({pixel[3] for pixel in outside_pictures(clear)} == {0}, "clear.PNG: not transparent around the pictures")

    lettered = Image.open(write(writer, data, work, "ship", "letters.png", "letters")).convert("RGBA")
    check(lettered.width == width and lettered.height > plain.height, f"letters.png is {lettered.size}")
    check_pictures(lettered, data, "letters.png")
    band_top = SPACING + PICTURE
    for entry, (left, _) in zip(SHIP, picture_boxes(len(SHIP))):
        band = lettered.crop((left, band_top, left + PICTURE, lettered.height)).convert("L")
        check(band.getextrema()[0] < 128, f"letters.png: no letters under {entry}")


def rendered(svg, work):
    png = work / (svg.stem + "-rsvg.png")
    subprocess.run(["rsvg-convert", "--format=png", "--output", png, svg], check=True)
    return Image.open(png).convert("RGBA")


def check_svg_drawing(data, work, writer):
    for flags in ((), ("transparent",), ("letters",)):
        name = "-".join(("ship",) + flags)
        drawn = rendered(write(writer, data, work, "ship", name + ".svg", *flags), work)
        expected = Image.open(write(writer, data, work, "ship", name + ".png", *flags)).convert("RGBA")
        check(drawn.size == expected.size, f"{name}.svg is drawn {drawn.size}, the PNG is {expected.size}")
        if drawn.size != expected.size:
            continue
        check_pictures(drawn, data, f"{name}.svg")
        # Below the pictures two renderers may smooth the same letters differently.
        text_top = SPACING + PICTURE if "letters" in flags else expected.height
        above = (0, 0, drawn.width, text_top)
        check(largest_difference(drawn.crop(above), expected.crop(above)) == 0,
              f"{name}.svg: drawn unlike the PNG above the letters")
        if "letters" in flags:
            check_letters(drawn, expected, text_top, name)


def ink(image):
    """Where image is darker than mid-grey, and how much ink it carries."""
    grey = image.convert("L")
    dark = grey.point(lambda value: 255 if value < 128 else 0)
    return dark.getbbox(), sum(255 - value for value in grey.getdata())


def check_letters(drawn, expected, top, name):
    """Each glyph's letters where the PNG has them, within a pixel, and about as dark."""
    for entry, (left, _) in zip(SHIP, picture_boxes(len(SHIP))):
        column = (left - SPACING // 2, top, left + PICTURE + SPACING // 2, drawn.height)
        (drawn_box, drawn_ink), (expected_box, expected_ink) = ink(drawn.crop(column)), ink(expected.crop(column))
        near = drawn_box and expected_box and all(abs(a - b) <= 1 for a, b in zip(drawn_box, expected_box))
        check(near, f"{name}.svg: the letters {entry} lie at {drawn_box}, in the PNG at {expected_box}")
        check(abs(drawn_ink - expected_ink) <= 0.15 * expected_ink,
              f"{name}.svg: the letters {entry} carry ink {drawn_ink}, in the PNG {expected_ink}")


def texts(root):
    return ["".join(element.itertext()) for element in root.iter(SVG + "text")]


def check_svg_text(data, work, writer):
    root = ET.parse(write(writer, data, work, "ship", "text.svg", "letters")).getroot()
    found = texts(root)
    check(SHIP_UNICODE in found, f"text.svg: no text element holds the Unicode row, only {found}")
    check("ship" in found, f"text.svg: no text element holds the English text, only {found}")
    check(all(letters in found for letters in SHIP), f"text.svg: the letters are not all text: {found}")
    unicode_text = next((e for e in root.iter(SVG + "text") if "".join(e.itertext()) == SHIP_UNICODE), None)
    if unicode_text is not None:
        check(unicode_text.get("font-family", "").startswith("Aegyptus,"),
              f"text.svg: the Unicode row's font is {unicode_text.get('font-family')}")
    check(root.findtext(SVG + "title") == "ship", "text.svg: its title is not the English text")
    check(root.findtext(SVG + "desc") == SHIP_UNICODE, "text.svg: its description is not the Unicode row")

    # Characters that XML cannot carry are left out, so the document still parses.
    try:
        odd = ET.parse(write(writer, data, work, "sh\x01ip\x7f", "odd.svg")).getroot()
        check(odd.findtext(SVG + "title") == "ship\x7f", f"odd.svg: its title is {odd.findtext(SVG + 'title')!r}")
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
