#!/usr/bin/python3
"""Make the data Scarabo ships beside its executable.

Writes, from the Aegyptus font of Debian's fonts-ancient-scripts:
  Alphabet.dat           the alphabet table (counts line, header row, one row per entry)
  Sounds.dat             the rules of spelling by sound (letters, spelled as, where)
  Images/<entry>.gif     one 48x48 glyph picture per entry
  Images/<entry>@2x.gif  the same drawn at 96x96, for screens of two device pixels per pixel
  Images/Numerals/       the signs of the Egyptian numerals, named by their Gardiner code
  icons/                 the application icon (scarabo.ico, scarabo.png, hicolor PNGs)
  Help/index.html        the help page, its alphabet table built from the files above
  LICENSES.md            where the pictures come from and under which terms

Usage:
  make_data.py [--out DIR]   regenerate into DIR (default: the repository's data/)
  make_data.py --check       regenerate into a temporary folder, compare with data/ byte
                             for byte, and check that data/ is consistent

Both take --facts PROGRAM, the scarabo-facts of a build (default: build/tools/scarabo-facts):
the help page's examples are converted by the program's own matcher.

Run it with Debian's /usr/bin/python3 (python3-pil). The output is deterministic, so a
rerun on the same Debian release gives byte-identical files.
"""

from __future__ import annotations

import argparse
import filecmp
import html
import io
import re
import shutil
import struct
import subprocess
import sys
import tempfile
import unicodedata
from dataclasses import dataclass
from pathlib import Path

from PIL import Image, ImageChops, ImageDraw, ImageFilter, ImageFont

FONT_FILE = Path("/usr/share/fonts/truetype/ancient-scripts/AegyptusR_hint.ttf")
FONT_PACKAGE = "fonts-ancient-scripts"
COPYRIGHT_FILE = Path("/usr/share/doc/fonts-ancient-scripts/copyright")
DATA_DIR = Path(__file__).resolve().parent.parent / "data"
# The program's own facts (its matcher, for the help page's examples); --facts names another build.
FACTS = Path(__file__).resolve().parent.parent / "build" / "tools" / "scarabo-facts"
TITLE = "Scarabo - Kethra's English to Hieroglyphics Translator"

# Folders the generator owns completely: files in them that it does not write are stale.
OWNED_DIRS = ("Images", "Help", "icons")

RENDER_SIZE = 400  # font size for rendering before scaling down
GLYPH_BOX = 48  # picture size; the program's picture boxes are 50x50
GLYPH_FIT = 44  # the sign is scaled to fit this square inside the picture
GLYPH_STROKE_GAIN = 0.3  # pixels added to each side of a stroke
# Each picture is also drawn at these multiples of its size, under the names Qt's high-DPI
# convention looks for ("sh@2x.gif").
GLYPH_SCALES = (1, 2)


@dataclass(frozen=True)
class Sign:
    entry: str
    gardiner: str
    code_points: tuple[int, ...]
    name: str

    @property
    def unicode_text(self) -> str:
        return " ".join(f"U+{cp:04X}" for cp in self.code_points)

    @property
    def text(self) -> str:
        return "".join(chr(cp) for cp in self.code_points)


HEADER = ("Letters", "Gardiner", "Unicode", "Sign")

# The two-letter groups come first: matching takes the first entry that fits, so "sh" must
# stand before "s" to ever be used.
ALPHABET = (
    Sign("ch", "V13", (0x1337F,), "tethering rope"),
    Sign("sh", "N37", (0x13219,), "pool"),
    Sign("kh", "Aa1", (0x1340D,), "placenta"),
    Sign("th", "V13", (0x1337F,), "tethering rope"),
    Sign("a", "G1", (0x1313F,), "vulture"),
    Sign("b", "D58", (0x130C0,), "foot"),
    Sign("c", "V31", (0x133A1,), "basket"),
    Sign("d", "D46", (0x130A7,), "hand"),
    Sign("e", "M17", (0x131CB,), "reed"),
    Sign("f", "I9", (0x13191,), "horned viper"),
    Sign("g", "W11", (0x133BC,), "jar stand"),
    Sign("h", "O4", (0x13254,), "shelter"),
    Sign("i", "M17", (0x131CB,), "reed"),
    Sign("j", "I10", (0x13193,), "cobra"),
    Sign("k", "V31", (0x133A1,), "basket"),
    Sign("l", "E23", (0x130ED,), "lion"),
    Sign("m", "G17", (0x13153,), "owl"),
    Sign("n", "N35", (0x13216,), "water"),
    Sign("o", "G43", (0x13171,), "quail chick"),
    Sign("p", "Q3", (0x132AA,), "stool"),
    Sign("q", "N29", (0x1320E,), "hill slope"),
    Sign("r", "D21", (0x1308B,), "mouth"),
    Sign("s", "S29", (0x132F4,), "folded cloth"),
    Sign("t", "X1", (0x133CF,), "bread"),
    Sign("u", "G43", (0x13171,), "quail chick"),
    Sign("v", "I9", (0x13191,), "horned viper"),
    Sign("w", "G43", (0x13171,), "quail chick"),
    Sign("x", "V31+S29", (0x133A1, 0x132F4), "basket + folded cloth"),
    Sign("y", "M17A", (0x131CC,), "two reeds"),
    Sign("z", "O34", (0x13283,), "door bolt"),
)

# The numeral signs, one per power of ten; the program writes a number with them, largest first.
NUMERALS = (
    (1, Sign("Numerals/Z1", "Z1", (0x133E4,), "stroke")),
    (10, Sign("Numerals/V20", "V20", (0x13386,), "hobble")),
    (100, Sign("Numerals/V1", "V1", (0x13362,), "coil of rope")),
    (1000, Sign("Numerals/M12", "M12", (0x131BC,), "lotus")),
    (10000, Sign("Numerals/D50", "D50", (0x130AD,), "finger")),
    (100000, Sign("Numerals/I8", "I8", (0x13190,), "tadpole")),
    (1000000, Sign("Numerals/C11", "C11", (0x13068,), "god Heh")),
)

# Spelling by sound: the letters, how they sound, and where the rule applies ("anywhere", "start"
# of a word, "before:" one of the letters given). The first rule that fits at a place wins.
SOUND_HEADER = ("Letters", "Spelled as", "Where")
SOUND_RULES = (
    ("ph", "f", "anywhere"),
    ("ck", "k", "anywhere"),
    ("qu", "kw", "anywhere"),
    ("x", "z", "start"),
    ("x", "ks", "anywhere"),
    ("kn", "n", "start"),
    ("wr", "r", "start"),
    ("wh", "w", "start"),
    ("c", "s", "before:eiy"),
)

ICON_SIGN = Sign("scarabo", "L1", (0x131A3,), "scarab beetle")
HELP_EXAMPLES = ("Ship", "Kethra", "Cat")


class DataError(Exception):
    pass


# ---------------------------------------------------------------- code points and font


def unicode_name_for(gardiner: str) -> str:
    """'G1' -> 'EGYPTIAN HIEROGLYPH G001', 'M17A' -> '... M017A', 'Aa1' -> '... AA001'."""
    match = re.fullmatch(r"([A-Za-z]+)(\d+)([A-Za-z]*)", gardiner)
    if not match:
        raise DataError(f"not a Gardiner code: {gardiner}")
    letters, number, suffix = match.groups()
    return f"EGYPTIAN HIEROGLYPH {letters.upper()}{int(number):03d}{suffix.upper()}"


def verify_code_points(sign: Sign) -> None:
    codes = sign.gardiner.split("+")
    if len(codes) != len(sign.code_points):
        raise DataError(f"{sign.entry}: {sign.gardiner} needs one code point per sign")
    for code, cp in zip(codes, sign.code_points):
        actual = unicodedata.name(chr(cp), "<unassigned>")
        if actual != unicode_name_for(code):
            raise DataError(f"{sign.entry}: U+{cp:04X} is {actual}, not Gardiner {code}")


def load_font() -> ImageFont.FreeTypeFont:
    if not FONT_FILE.is_file():
        raise DataError(f"font not found: {FONT_FILE} (install Debian's {FONT_PACKAGE})")
    return ImageFont.truetype(str(FONT_FILE), RENDER_SIZE)


def render_ink(font: ImageFont.FreeTypeFont, text: str) -> Image.Image:
    """The text in white on black ('L'), cropped to its ink."""
    left, top, right, bottom = font.getbbox(text)
    pad = RENDER_SIZE // 4
    canvas = Image.new("L", (right - left + 2 * pad, bottom - top + 2 * pad), 0)
    ImageDraw.Draw(canvas).text((pad - left, pad - top), text, font=font, fill=255)
    box = canvas.getbbox()
    if box is None:
        raise DataError(f"the font draws nothing for {text!r}")
    return canvas.crop(box)


def verify_font_has(font: ImageFont.FreeTypeFont, sign: Sign) -> None:
    # A missing glyph is drawn as the font's fallback box, which has ink too.
    fallback = render_ink(font, "\U0010FFFD").tobytes()
    for cp in sign.code_points:
        if render_ink(font, chr(cp)).tobytes() == fallback:
            raise DataError(f"{FONT_FILE.name} has no glyph for U+{cp:04X} ({sign.entry})")


# ---------------------------------------------------------------- glyph pictures


def fit_into(ink: Image.Image, limit: int) -> Image.Image:
    scale = min(limit / ink.width, limit / ink.height)
    size = (max(1, round(ink.width * scale)), max(1, round(ink.height * scale)))
    return ink.resize(size, Image.Resampling.LANCZOS)


def glyph_picture(font: ImageFont.FreeTypeFont, sign: Sign, scale: int) -> Image.Image:
    """Black sign on white, centred in GLYPH_BOX, proportions kept; at `scale` times the size,
    drawn from the font again rather than enlarged."""
    box, fit = GLYPH_BOX * scale, GLYPH_FIT * scale
    ink = render_ink(font, sign.text)
    # The font's hairlines would turn pale grey at this size: widen them by about 0.3 pixel (of
    # the 48-pixel picture, so every scale draws the same strokes).
    reach = round(GLYPH_STROKE_GAIN * max(ink.size) / GLYPH_FIT)
    ink = fit_into(ink.filter(ImageFilter.MaxFilter(2 * reach + 1)), fit)
    picture = Image.new("L", (box, box), 0)
    picture.paste(ink, ((box - ink.width) // 2, (box - ink.height) // 2))
    return ImageChops.invert(picture)


def glyph_file_name(entry: str, scale: int) -> str:
    return f"{entry}.gif" if scale == 1 else f"{entry}@{scale}x.gif"


def write_glyphs(out: Path, font: ImageFont.FreeTypeFont) -> None:
    folder = out / "Images"
    (folder / "Numerals").mkdir(parents=True, exist_ok=True)
    for sign in (*ALPHABET, *(sign for _, sign in NUMERALS)):
        for scale in GLYPH_SCALES:
            glyph_picture(font, sign, scale).save(folder / glyph_file_name(sign.entry, scale),
                                                  format="GIF")


# ---------------------------------------------------------------- Alphabet.dat


def quote_field(text: str) -> str:
    return '"' + text.replace('"', '""') + '"'


def alphabet_rows() -> list[tuple[str, ...]]:
    rows = [HEADER]
    rows += [(s.entry, s.gardiner, s.unicode_text, s.name) for s in ALPHABET]
    return rows


def write_alphabet(out: Path) -> None:
    rows = alphabet_rows()
    lines = [f"{len(rows)},{len(HEADER)}"]
    lines += [",".join(quote_field(field) for field in row) for row in rows]
    (out / "Alphabet.dat").write_bytes("".join(line + "\r\n" for line in lines).encode("ascii"))


def write_sounds(out: Path) -> None:
    rows = [SOUND_HEADER, *SOUND_RULES]
    lines = [f"{len(rows)},{len(SOUND_HEADER)}"]
    lines += [",".join(quote_field(field) for field in row) for row in rows]
    (out / "Sounds.dat").write_bytes("".join(line + "\r\n" for line in lines).encode("ascii"))


def sound_rules_html() -> str:
    places = {"anywhere": "anywhere", "start": "at the start of a word"}
    rows = "\n".join(
        f"<tr><td class=\"letters\">{html.escape(letters)}</td><td>{html.escape(spelled)}</td>"
        f"<td>{html.escape(places.get(where, 'before ' + ', '.join(where[len('before:'):])))}</td></tr>"
        for letters, spelled, where in SOUND_RULES)
    return (f"<table>\n<thead><tr><th>Letters</th><th>Spelled as</th><th>Where</th></tr></thead>\n"
            f"<tbody>\n{rows}\n</tbody>\n</table>")


def split_fields(line: str) -> list[str]:
    """Fields of a line as the writer above puts them: quoted, comma-separated."""
    fields = re.findall(r'"((?:[^"]|"")*)"(?:,|$)', line)
    if ",".join(quote_field(f.replace('""', '"')) for f in fields) != line:
        raise DataError(f"malformed line in Alphabet.dat: {line!r}")
    return [f.replace('""', '"') for f in fields]


def read_alphabet(folder: Path) -> list[list[str]]:
    """Rows of Alphabet.dat in layout 0, the header row included."""
    text = (folder / "Alphabet.dat").read_bytes().decode("ascii")
    if not text.endswith("\r\n"):
        raise DataError("Alphabet.dat must end with CR LF")
    lines = text[:-2].split("\r\n")
    rows, cols = (int(n) for n in lines[0].split(","))
    table = [split_fields(line) for line in lines[1:]]
    if len(table) != rows or any(len(row) != cols for row in table):
        raise DataError(f"Alphabet.dat does not hold {rows} rows of {cols} fields")
    return table


# ---------------------------------------------------------------- icon


SAND_TOP = (246, 224, 168)
SAND_BOTTOM = (222, 174, 96)
RIM = (150, 98, 38)
INK = (34, 22, 12)
LAPIS = (38, 84, 150)  # scarab amulets were mostly blue faience or lapis lazuli


def sand_tile(size: int) -> Image.Image:
    """A rounded square with a warm vertical gradient and a darker rim, RGBA."""
    gradient = Image.linear_gradient("L").resize((size, size))
    tile = Image.composite(Image.new("RGB", (size, size), SAND_BOTTOM),
                           Image.new("RGB", (size, size), SAND_TOP), gradient)
    radius = size * 0.2
    shape = Image.new("L", (size, size), 0)
    ImageDraw.Draw(shape).rounded_rectangle((0, 0, size - 1, size - 1), radius, fill=255)
    rim = max(8, size // 40)  # the tile is drawn 8x larger: at least one final pixel
    inner = Image.new("L", (size, size), 0)
    ImageDraw.Draw(inner).rounded_rectangle((rim, rim, size - 1 - rim, size - 1 - rim),
                                            radius - rim, fill=255)
    tile.paste(RIM, mask=ImageChops.subtract(shape, inner))
    tile.putalpha(shape)
    return tile


def scarab_masks(font: ImageFont.FreeTypeFont) -> tuple[Image.Image, Image.Image]:
    """(outline, body) masks of the scarab: the font draws outlines; the body is what they enclose."""
    ink = render_ink(font, ICON_SIGN.text)
    pad = 2
    outline = Image.new("L", (ink.width + 2 * pad, ink.height + 2 * pad), 0)
    outline.paste(ink, (pad, pad))
    flooded = outline.point(lambda v: 255 if v >= 96 else 0)
    ImageDraw.floodfill(flooded, (0, 0), 128)
    return outline, flooded.point(lambda v: 255 if v == 0 else 0)


def icon_image(masks: tuple[Image.Image, Image.Image], size: int) -> Image.Image:
    """The scarab on its tile at `size` pixels, drawn 8x larger and scaled down."""
    big = size * 8
    tile = sand_tile(big)
    outline, body = (fit_into(mask, round(big * (0.84 if size <= 24 else 0.76))) for mask in masks)
    # Strokes of about one final pixel, so the beetle still reads at 16 pixels.
    outline = outline.filter(ImageFilter.MaxFilter(7 if size <= 32 else 5))
    offset = ((big - outline.width) // 2, (big - outline.height) // 2)
    tile.paste(LAPIS, offset, mask=body)
    tile.paste(INK, offset, mask=outline)
    return tile.convert("RGBa").resize((size, size), Image.Resampling.LANCZOS).convert("RGBA")


def and_mask(image: Image.Image) -> bytes:
    """The ICO transparency mask: 1 bit a pixel, 1 = transparent, rows bottom-up, 4-byte aligned."""
    alpha = image.getchannel("A").point(lambda a: 0 if a >= 128 else 255).convert("1")
    stride = (image.width + 31) // 32 * 4
    rows = [alpha.crop((0, y, image.width, y + 1)).tobytes() for y in range(image.height)]
    return b"".join(row.ljust(stride, b"\0") for row in reversed(rows))


def paletted_rows(image: Image.Image, colours: int) -> tuple[bytes, bytes]:
    """(palette as BGR0 entries, pixel rows bottom-up) with index 0 black for transparent pixels."""
    solid = image.getchannel("A").point(lambda a: 255 if a >= 128 else 0)
    quantized = image.convert("RGB").quantize(colours - 1, dither=Image.Dither.NONE)
    indexes = quantized.point(lambda i: i + 1)
    indexes.paste(0, mask=ImageChops.invert(solid))
    rgb = quantized.getpalette()[: 3 * (colours - 1)]
    rgb += [0] * (3 * (colours - 1) - len(rgb))
    entries = [(0, 0, 0)] + [tuple(rgb[i:i + 3]) for i in range(0, len(rgb), 3)]
    palette = b"".join(bytes((b, g, r, 0)) for r, g, b in entries)
    bits = 4 if colours == 16 else 8
    stride = (image.width * bits + 31) // 32 * 4
    rows = []
    for y in range(image.height):
        row = [indexes.getpixel((x, y)) for x in range(image.width)]
        if bits == 4:  # two pixels a byte, the left one in the high nibble
            row = [row[x] << 4 | row[x + 1] for x in range(0, len(row), 2)]
        rows.append(bytes(row).ljust(stride, b"\0"))
    return palette, b"".join(reversed(rows))


def dib(image: Image.Image, bits: int) -> bytes:
    """One ICO image as a device-independent bitmap (header, palette, colours, mask)."""
    if bits == 32:
        palette = b""
        r, g, b, a = image.split()
        bgra = Image.merge("RGBA", (b, g, r, a)).transpose(Image.Transpose.FLIP_TOP_BOTTOM)
        pixels = bgra.tobytes()
    else:
        palette, pixels = paletted_rows(image, 1 << bits)
    mask = and_mask(image)
    header = struct.pack("<IiiHHIIiiII", 40, image.width, 2 * image.height, 1, bits, 0,
                         len(pixels) + len(mask), 0, 0, len(palette) // 4, 0)
    return header + palette + pixels + mask


def png_bytes(image: Image.Image) -> bytes:
    buffer = io.BytesIO()
    image.save(buffer, format="PNG", optimize=True)
    return buffer.getvalue()


ICO_IMAGES = ((16, 4), (32, 4), (16, 8), (32, 8), (48, 8), (16, 32), (32, 32), (48, 32), (256, 32))


def ico_bytes(images: dict[int, Image.Image]) -> bytes:
    """An ICO container with ICO_IMAGES; the 256-pixel image is stored as PNG."""
    blobs = [png_bytes(images[size]) if size == 256 else dib(images[size], bits)
             for size, bits in ICO_IMAGES]
    offset = 6 + 16 * len(blobs)
    directory = struct.pack("<HHH", 0, 1, len(blobs))
    for (size, bits), blob in zip(ICO_IMAGES, blobs):
        colours = 16 if bits == 4 else 0
        directory += struct.pack("<BBBBHHII", size % 256, size % 256, colours, 0, 1, bits,
                                 len(blob), offset)
        offset += len(blob)
    return directory + b"".join(blobs)


HICOLOR_SIZES = (16, 24, 32, 48, 64, 128, 256)


def write_icons(out: Path, font: ImageFont.FreeTypeFont) -> None:
    masks = scarab_masks(font)
    images = {size: icon_image(masks, size) for size in HICOLOR_SIZES}
    folder = out / "icons"
    folder.mkdir(parents=True, exist_ok=True)
    (folder / "scarabo.ico").write_bytes(ico_bytes(images))
    (folder / "scarabo.png").write_bytes(png_bytes(images[256]))
    for size, image in images.items():
        apps = folder / "hicolor" / f"{size}x{size}" / "apps"
        apps.mkdir(parents=True, exist_ok=True)
        (apps / "scarabo.png").write_bytes(png_bytes(image))
    help_folder = out / "Help"
    help_folder.mkdir(parents=True, exist_ok=True)
    (help_folder / "scarabo.png").write_bytes(png_bytes(images[64]))


# ---------------------------------------------------------------- help page


def converted(alphabet: Path, texts: tuple[str, ...]) -> list[list[str]]:
    """The entries each text converts to, as the program's own matcher gives them."""
    if not FACTS.is_file():
        raise DataError(f"{FACTS} is missing: build the target scarabo-facts, or name it with --facts")
    result = subprocess.run([str(FACTS), "convert", str(alphabet), *texts], check=True,
                            capture_output=True, text=True, encoding="utf-8")
    return [line.split() for line in result.stdout.splitlines()]


def picture(entry: str, css_class: str = "glyph") -> str:
    urls = [html.escape(f"../Images/{glyph_file_name(entry, scale)}") for scale in GLYPH_SCALES]
    srcset = ", ".join(f"{url} {scale}x" for url, scale in zip(urls, GLYPH_SCALES))
    return (f'<img class="{css_class}" src="{urls[0]}" srcset="{srcset}" width="{GLYPH_BOX}" '
            f'height="{GLYPH_BOX}" alt="{html.escape(entry)}">')


def example_html(text: str, entries: list[str]) -> str:
    glyphs = "".join(f'<figure>{picture(e)}<figcaption>{html.escape(e)}</figcaption></figure>'
                     for e in entries)
    return (f'<div class="example"><span class="typed">{html.escape(text)}</span>'
            f'<span class="arrow">&rarr;</span><div class="row">{glyphs}</div></div>')


def alphabet_table_html(table: list[list[str]]) -> str:
    header, *rows = table
    head = "".join(f"<th>{html.escape(h)}</th>" for h in (header[0], "Picture", *header[1:]))
    body = "\n".join(
        f"<tr><td class=\"letters\">{html.escape(row[0])}</td><td>{picture(row[0])}</td>"
        + "".join(f"<td>{html.escape(cell)}</td>" for cell in row[1:]) + "</tr>"
        for row in rows)
    return f'<table class="alphabet">\n<thead><tr>{head}</tr></thead>\n<tbody>\n{body}\n</tbody>\n</table>'


def shared_signs_html(table: list[list[str]]) -> str:
    """Entries that share one sign, e.g. 'c and k share the basket (V31)'."""
    groups: dict[str, list[list[str]]] = {}
    for row in table[1:]:
        groups.setdefault(row[1], []).append(row)
    items = []
    for code, rows in groups.items():
        if len(rows) > 1:
            names = [f"<b>{html.escape(row[0])}</b>" for row in rows]
            letters = ", ".join(names[:-1]) + " and " + names[-1]
            items.append(f"<li>{letters} share the {html.escape(rows[0][3])} ({html.escape(code)})</li>")
    return "<ul>\n" + "\n".join(items) + "\n</ul>"


def numerals_html() -> str:
    cells = "".join(f'<figure>{picture(sign.entry)}<figcaption>{value:,} {html.escape(sign.gardiner)}'
                    f'</figcaption></figure>' for value, sign in NUMERALS)
    return f'<div class="row">{cells}</div>'


HELP_CSS = """
:root { --ink: #2b1d0e; --sand: #f6e7c1; --sand-deep: #dcae5c; --rim: #96622a; --paper: #fffdf7; }
* { box-sizing: border-box; }
body { margin: 0; background: var(--sand); color: var(--ink);
       font: 16px/1.55 "Segoe UI", "DejaVu Sans", "Liberation Sans", Arial, sans-serif; }
header { background: linear-gradient(#f4dca0, var(--sand-deep)); border-bottom: 3px solid var(--rim);
         padding: 18px 32px; display: flex; align-items: center; gap: 18px; }
header img { width: 64px; height: 64px; }
header h1 { margin: 0; font-size: 26px; line-height: 1.2; }
header p { margin: 4px 0 0; font-size: 15px; }
main { max-width: 860px; margin: 24px auto; padding: 8px 36px 28px; background: var(--paper);
       border: 1px solid #e0c993; border-radius: 12px; box-shadow: 0 2px 10px rgba(120, 80, 20, .15); }
h2 { margin-top: 30px; padding-bottom: 4px; border-bottom: 2px solid var(--sand-deep); font-size: 21px; }
nav ol { columns: 2; margin: 8px 0 0; padding-left: 22px; }
a { color: #7a4a12; }
kbd { display: inline-block; min-width: 1.6em; padding: 1px 6px; text-align: center;
      font: 13px/1.4 "DejaVu Sans Mono", Consolas, monospace; background: #fff;
      border: 1px solid #b9a77f; border-bottom-width: 2px; border-radius: 4px; }
.ui { font-weight: 600; }
table { border-collapse: collapse; margin: 12px 0; }
table.alphabet { width: 100%; }
th, td { padding: 6px 12px; border-bottom: 1px solid #ead9b0; text-align: left; vertical-align: middle; }
th { background: #f3e2b6; }
table.alphabet tbody tr:nth-child(even) { background: #fcf5e3; }
td.letters { font-weight: 700; font-size: 20px; text-align: center; }
img.glyph { display: block; background: #fff; border: 1px solid #e4d5b0; }
.example { display: flex; align-items: center; gap: 14px; margin: 12px 0; padding: 10px 14px;
           background: #fbf3de; border-radius: 8px; flex-wrap: wrap; }
.typed { font: 18px "DejaVu Sans Mono", Consolas, monospace; background: #fff; padding: 4px 10px;
         border: 1px solid #b9a77f; }
.arrow { font-size: 22px; }
.row { display: flex; gap: 6px; }
figure { margin: 0; text-align: center; }
figcaption { font-size: 13px; font-weight: 600; }
.note { background: #fff6dc; border-left: 4px solid var(--sand-deep); padding: 8px 14px; }
footer { text-align: center; font-size: 13px; margin: 0 0 28px; }
"""


def help_page(table: list[list[str]], conversions: list[list[str]]) -> str:
    examples = "\n".join(example_html(text, entries)
                         for text, entries in zip(HELP_EXAMPLES, conversions))
    title = html.escape(TITLE, quote=False)
    return f"""<!DOCTYPE html>
<html lang="en">
<head>
<meta charset="utf-8">
<meta name="viewport" content="width=device-width, initial-scale=1">
<title>{title} - Help</title>
<style>{HELP_CSS}</style>
</head>
<body>
<header>
<img src="scarabo.png" width="64" height="64" alt="">
<div><h1>{title}</h1><p>Help &mdash; turn English words into ancient Egyptian hieroglyphs</p></div>
</header>
<main>
<nav><h2>Contents</h2><ol>
<li><a href="#what">What Scarabo does</a></li>
<li><a href="#convert">Converting text</a></li>
<li><a href="#rules">How letters become signs</a></li>
<li><a href="#keys">Keys</a></li>
<li><a href="#menus">Menus</a></li>
<li><a href="#export">Export to Word</a></li>
<li><a href="#elsewhere">Taking the row elsewhere</a></li>
<li><a href="#commandline">The command line</a></li>
<li><a href="#trouble">If something goes wrong</a></li>
<li><a href="#alphabet">The alphabet</a></li>
<li><a href="#credits">Credits</a></li>
</ol></nav>

<h2 id="what">What Scarabo does</h2>
<p>Scarabo spells English words with ancient Egyptian hieroglyphs. You type a word or a name,
and Scarabo shows it as a row of up to ten hieroglyph pictures, one sign for each letter or
letter group. You can then send that row to your word processor, for a card, a name tag or a
school project.</p>
<p class="note">Scarabo spells by sound, letter by letter, the way names are often
&ldquo;written in hieroglyphs&rdquo; for fun. It does not translate the meaning of words
into the ancient Egyptian language.</p>

<h2 id="convert">Converting text</h2>
<ol>
<li>Click in the box labelled <span class="ui">English</span> and type a word, for example your name.</li>
<li>Press <kbd>Enter</kbd> or click the <span class="ui">Convert</span> button.</li>
<li>The hieroglyphs appear in the <span class="ui">Translation</span> row, read from left to right.</li>
</ol>
<p>The row is redrawn each time you convert. Change the text afterwards and the row fades until
you convert again; with <span class="ui">Options &rsaquo; Convert as You Type</span> it follows
every change at once. Under each glyph stand the letters that made it (point at a glyph for its
sign), a line says what was left out, and the row follows as Unicode hieroglyphs you can select and
copy. A few examples:</p>
{examples}

<h2 id="rules">How letters become signs</h2>
<ul>
<li><b>The first matching entry of the alphabet wins.</b> Scarabo reads your text from left
to right and, at each place, tries the entries of the <a href="#alphabet">alphabet</a> in the
order of the table below. The letter groups <b>ch</b>, <b>sh</b>, <b>kh</b> and <b>th</b> come
first, so &ldquo;sh&rdquo; beats &ldquo;s&rdquo;: <i>ship</i> becomes sh&nbsp;+&nbsp;i&nbsp;+&nbsp;p,
not s&nbsp;+&nbsp;h&nbsp;+&nbsp;i&nbsp;+&nbsp;p.</li>
<li><b>Upper and lower case do not matter.</b> <i>SHIP</i>, <i>Ship</i> and <i>ship</i> give the same signs.</li>
<li><b>At most ten glyphs.</b> Once ten signs are shown, the rest of the text is ignored.</li>
<li><b>Spaces, hyphens, apostrophes and punctuation separate words.</b> They have no sign and
are never reported as missing: <i>Mary-Jane O'Neil</i> spells Mary, Jane, O and Neil.</li>
<li><b>Letters with accents are spelled as their plain letter</b> when the alphabet has no entry
for them: <i>Jos&eacute;</i> gives the same signs as <i>Jose</i>, <i>Zo&euml;</i> as <i>Zoe</i>.
A few letters have their own reading: &szlig; as ss, &aelig; as ae, &oelig; as oe, &oslash; as o,
&#322; as l, &eth; and &#273; as d, &thorn; as th. The caption under the glyph shows the letter as
you typed it; point at the glyph to see how it was read. An entry of the alphabet for the accented
letter itself always wins.</li>
<li><b>Numbers are written as Egyptian numerals</b> (<span class="ui">Options &rsaquo; Egyptian
Numerals</span>, on unless you turn it off): one sign for each unit of a power of ten, the largest
first, so <i>1990</i> is one lotus, nine coils and nine hobbles. Numbers from 1 to 9,999,999 have
numerals; 0 and larger numbers are reported as missing.
{numerals_html()}</li>
<li><b>Other characters without an entry are dropped</b> and named in the line under the row.</li>
<li><b>Spelling by sound</b> (<span class="ui">Options &rsaquo; Spell by Sound</span>, remembered;
<code>--spelling sound</code> on the command line) first rewrites the letters by how they sound,
so <i>Philip</i> is spelled as <i>Filip</i> and <i>Max</i> as <i>Maks</i>. The rules are the table
<span class="ui">Sounds.dat</span> beside the program, which you may edit: one rule a row, the
letters, what they are spelled as, and where the rule applies (<code>anywhere</code>,
<code>start</code> of a word, or <code>before:</code> and the letters one of which must follow). The
first rule that fits at a place wins. The captions still show the letters as you typed them.
{sound_rules_html()}</li>
<li><b>Some letters share a sign,</b> because the Egyptians wrote sounds, not our letters:
{shared_signs_html(table)}</li>
</ul>

<h2 id="keys">Keys</h2>
<table>
<tr><th>Key</th><th>What it does</th></tr>
<tr><td><kbd>Enter</kbd></td><td>Convert the text (the same as the <span class="ui">Convert</span> button)</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>N</kbd></td><td>Move to the <span class="ui">English</span> box</td></tr>
<tr><td><kbd>Esc</kbd></td><td>Exit Scarabo (the same as the <span class="ui">Exit</span> button)</td></tr>
<tr><td><kbd>F1</kbd></td><td>Open this help page</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>F</kbd></td><td>Open the <span class="ui">File</span> menu</td></tr>
<tr><td><kbd>Alt</kbd>+<kbd>H</kbd></td><td>Open the <span class="ui">Help</span> menu</td></tr>
</table>
<p>In an open menu, press the underlined letter of an item to choose it, for example
<kbd>W</kbd> for <span class="ui">Export to Word</span>.</p>

<h2 id="menus">Menus</h2>
<table>
<tr><th>Menu item</th><th>What it does</th></tr>
<tr><td><span class="ui">File &gt; Export to Word</span></td><td>Puts the current row of hieroglyphs into your word processor (see below)</td></tr>
<tr><td><span class="ui">File &gt; Save Picture As</span></td><td>Saves the row as a PNG or SVG picture</td></tr>
<tr><td><span class="ui">File &gt; Save As Document</span></td><td>Saves the whole text as a PDF, ODT, DOCX or HTML document, no word processor needed: the name large on a sheet, on name cards to cut apart, or as text in lines</td></tr>
<tr><td><span class="ui">File &gt; Print</span>, <span class="ui">Print Preview</span></td><td>Asks the same options, then prints the same pages as the PDF, or shows them first</td></tr>
<tr><td><span class="ui">Edit &gt; Copy</span> <kbd>Ctrl</kbd>+<kbd>C</kbd></td><td>Copies the row as hieroglyph text, as pictures and as one picture, for any program to paste</td></tr>
<tr><td><span class="ui">Edit &gt; Copy as Picture</span></td><td>Copies the row as one picture only</td></tr>
<tr><td><span class="ui">Options &gt; Convert as You Type</span></td><td>Converts on every change of the text</td></tr>
<tr><td><span class="ui">Options &gt; Egyptian Numerals</span></td><td>Writes numbers as Egyptian numerals; remembered, like Convert as You Type</td></tr>
<tr><td><span class="ui">Options &gt; Spell by Sound</span></td><td>Spells the letters by their sound, by the rules of Sounds.dat; remembered</td></tr>
<tr><td><span class="ui">Options &gt; Arrangement</span>, <span class="ui">Direction</span></td><td>Writes the name in groups of signs, as scribes did, or in a row; left to right, right to left or in columns. The name is shown so beside the <span class="ui">English</span> box, and copied, dragged, saved and printed so; remembered</td></tr>
<tr><td><span class="ui">Options &gt; Cartouche</span>, <span class="ui">Determinative</span></td><td>Frames the name in a cartouche; ends it with a seated man or a seated woman; remembered</td></tr>
<tr><td><span class="ui">File &gt; Exit</span></td><td>Closes Scarabo</td></tr>
<tr><td><span class="ui">Help &gt; Contents</span> <kbd>F1</kbd></td><td>Opens this page in your web browser</td></tr>
<tr><td><span class="ui">Help &gt; About</span></td><td>Shows the program's version, description and copyright; click the copyright line to visit the maker's home page</td></tr>
</table>

<h2 id="export">Export to Word</h2>
<p>Convert your text first, then choose <span class="ui">File &gt; Export to Word</span>.
Scarabo inserts the hieroglyph pictures of the <span class="ui">Translation</span> row, in order,
into the word processor's current document at the cursor, followed by two paragraph breaks,
so the next export starts on a fresh line below.</p>
<ul>
<li>On Windows the word processor is Microsoft Word; on Linux it is LibreOffice Writer.</li>
<li>If the word processor is not running, Scarabo starts it and opens a new document.
Starting it can take a few seconds.</li>
<li>The pictures are stored in the document itself, so it stays complete when you copy or mail it.</li>
<li>Scarabo never saves or closes your document: save it in the word processor when you are done.</li>
</ul>

<h2 id="elsewhere">Taking the row elsewhere</h2>
<p>Copy the row (<kbd>Ctrl</kbd>+<kbd>C</kbd>; in the English box it copies the row too, unless
you have selected some of the English) and paste it
into a chat, a mail or a document: where the program has a font for hieroglyphs you get them as text,
elsewhere the pictures. You can also drag the row from the glyph band into another program, or use
the band's context menu. To keep it, save it as a picture (PNG or SVG) or as a document: a document
holds the glyphs of the whole text, not only the first ten, drawn sharp at the size you choose, with
the letters under each glyph if you like, a cartouche around a name, the hieroglyphs as text and the
English it came from.</p>

<h2 id="commandline">The command line</h2>
<p>Started with a text alone (<code>scarabo Cleopatra</code>), Scarabo opens its window with the
text converted. With the options below it writes files without opening a window, also on a machine
without a display:</p>
<table>
<tr><td><code>scarabo "Cleopatra" -o cleopatra.pdf</code></td><td>One name as a document or picture (.pdf, .odt, .docx, .html, .png, .svg)</td></tr>
<tr><td><code>scarabo --batch names.txt -o cards.pdf</code></td><td>Name cards to cut apart, eight a page, one name per line of the file (<code>--page text</code> for text in lines)</td></tr>
<tr><td><code>scarabo --text "ship"</code></td><td>Prints the hieroglyphs of the whole text as text; what was left out is said on the error output</td></tr>
<tr><td><code>--no-numerals</code></td><td>Leaves numbers out instead of writing them as numerals</td></tr>
<tr><td><code>--spelling sound</code></td><td>Spells by sound (<code>letters</code>, the default, spells the letters as typed)</td></tr>
<tr><td><code>scarabo --help</code></td><td>Lists every option: glyph size, letters, cartouche, transparent background</td></tr>
</table>

<h2 id="trouble">If something goes wrong</h2>
<ul>
<li><b>A box shows letters instead of a sign:</b> the picture file for that entry is missing
or damaged in the <span class="ui">Images</span> folder beside the program.</li>
<li><b>Export to Word shows an error message:</b> the word processor is not installed or could
not be started; Scarabo names the error and keeps running.</li>
<li><b>F1 says no program opened the help page:</b> the desktop has no web browser that works;
the message names this page's file, which any browser opens.</li>
<li><b>A message names a line of <span class="ui">Alphabet.dat</span>:</b> that row of the
alphabet file has the wrong number of fields, so it and every row after it were not read. Scarabo
goes on with the entries before it; repair the line or reinstall the program.</li>
<li><b>Scarabo does not start and names <span class="ui">Alphabet.dat</span>:</b> the alphabet
file beside the program is missing or damaged; reinstall the program.</li>
</ul>

<h2 id="alphabet">The alphabet</h2>
<p>These are all the entries Scarabo knows, in the order it tries them. <b>Gardiner</b> is the
sign's number in Sir Alan Gardiner's sign list, <b>Unicode</b> its character code.</p>
{alphabet_table_html(table)}

<h2 id="credits">Credits</h2>
<p>The hieroglyph pictures and the scarab icon are drawn from the <b>Aegyptus</b> font by George
Douros (Debian package {FONT_PACKAGE}), which is free for any use and may be modified and
redistributed.</p>
</main>
<footer>{title}</footer>
</body>
</html>
"""


def write_help(out: Path) -> None:
    folder = out / "Help"
    folder.mkdir(parents=True, exist_ok=True)
    table = read_alphabet(out)
    conversions = converted(out / "Alphabet.dat", HELP_EXAMPLES)
    (folder / "index.html").write_bytes(help_page(table, conversions).encode("utf-8"))


# ---------------------------------------------------------------- licence note


def font_licence() -> str:
    """The licence paragraph of the font package's copyright file, quoted as it stands."""
    text = COPYRIGHT_FILE.read_text(encoding="utf-8")
    match = re.search(r"^License:\s*\n\n((?:    .*\n)+)", text, re.MULTILINE)
    if not match:
        raise DataError(f"no licence paragraph found in {COPYRIGHT_FILE}")
    return "".join("> " + line.strip() + "\n" for line in match.group(1).splitlines())


def write_licences(out: Path) -> None:
    (out / "LICENSES.md").write_text(f"""# Licences of the shipped data

The glyph pictures in `Images/`, the application icon in `icons/` and the pictures of the help page
are drawn by `tools/make_data.py` from the **Aegyptus** font (`AegyptusR_hint.ttf`) by George Douros,
as packaged in Debian's `{FONT_PACKAGE}`. Copyright (C) 2007-2015 George Douros.

The font's licence, as stated in `{COPYRIGHT_FILE}`:

{font_licence()}
The pictures are modified renderings of the font's glyphs (cropped, scaled, recoloured), which this
licence allows. The font itself ships unchanged beside the executable (`fonts/AegyptusR_hint.ttf`,
copied from that package when Scarabo is built), so the row's hieroglyphs show as text on systems that
have no hieroglyph font; the program loads it for its own use only.

`Alphabet.dat` and `Help/index.html` are part of Scarabo.
""", encoding="utf-8", newline="\n")


# ---------------------------------------------------------------- generate and check


def generate(out: Path) -> None:
    font = load_font()
    for sign in (*ALPHABET, *(sign for _, sign in NUMERALS), ICON_SIGN):
        verify_code_points(sign)
        verify_font_has(font, sign)
    for name in OWNED_DIRS:
        shutil.rmtree(out / name, ignore_errors=True)
    out.mkdir(parents=True, exist_ok=True)
    write_alphabet(out)
    write_sounds(out)
    write_glyphs(out, font)
    write_icons(out, font)
    write_help(out)
    write_licences(out)


def generated_files(folder: Path) -> set[Path]:
    return {p.relative_to(folder) for p in folder.rglob("*") if p.is_file()}


def compare_trees(fresh: Path, shipped: Path) -> list[str]:
    problems = []
    for rel in sorted(generated_files(fresh)):
        if not (shipped / rel).is_file():
            problems.append(f"missing: {rel}")
        elif not filecmp.cmp(fresh / rel, shipped / rel, shallow=False):
            problems.append(f"differs: {rel}")
    stale = {rel for rel in generated_files(shipped) if rel.parts[0] in OWNED_DIRS}
    problems += [f"not generated: {rel}" for rel in sorted(stale - generated_files(fresh))]
    return problems


def consistency_problems(folder: Path) -> list[str]:
    problems = []
    table = read_alphabet(folder)
    if table[0] != list(HEADER):
        problems.append(f"Alphabet.dat header row is {table[0]}")
    for row, scale in ((row, scale) for row in table[1:] for scale in GLYPH_SCALES):
        gif = folder / "Images" / glyph_file_name(row[0], scale)
        size = GLYPH_BOX * scale
        try:
            with Image.open(gif) as image:
                image.load()
                if image.size != (size, size):
                    problems.append(f"{gif.name} is {image.size}, not {size}x{size}")
        except OSError as error:
            problems.append(f"picture {gif.name} of '{row[0]}' does not load: {error}")
    page = (folder / "Help" / "index.html").read_text(encoding="utf-8")
    refs = re.findall(r'(?:src|href)="([^"#][^"]*)"', page)
    for srcset in re.findall(r'srcset="([^"]*)"', page):
        refs += [part.split()[0] for part in srcset.split(",") if part.strip()]
    for ref in refs:
        if not (folder / "Help" / html.unescape(ref)).resolve().is_file():
            problems.append(f"help page refers to a missing file: {ref}")
    return problems


def check(shipped: Path) -> int:
    with tempfile.TemporaryDirectory(prefix="scarabo-data-") as temp:
        fresh = Path(temp)
        generate(fresh)
        problems = compare_trees(fresh, shipped)
    if not problems:
        problems = consistency_problems(shipped)
    for problem in problems:
        print(f"make_data --check: {problem}", file=sys.stderr)
    if problems:
        print("make_data --check: rerun tools/make_data.py to regenerate data/", file=sys.stderr)
        return 1
    print(f"make_data --check: {shipped} matches a fresh generation and is consistent")
    return 0


def main() -> int:
    global FACTS
    parser = argparse.ArgumentParser(description=__doc__.splitlines()[0])
    parser.add_argument("--out", type=Path, default=DATA_DIR, help="output folder (default: data/)")
    parser.add_argument("--check", action="store_true",
                        help="compare the output folder with a fresh generation instead of writing it")
    parser.add_argument("--facts", type=Path, default=FACTS,
                        help="the scarabo-facts program of a build (default: build/tools/scarabo-facts)")
    args = parser.parse_args()
    FACTS = args.facts
    try:
        if args.check:
            return check(args.out)
        generate(args.out)
        problems = consistency_problems(args.out)
        for problem in problems:
            print(f"make_data: {problem}", file=sys.stderr)
        return 1 if problems else 0
    except DataError as error:
        print(f"make_data: error: {error}", file=sys.stderr)
        return 2


if __name__ == "__main__":
    sys.exit(main())
