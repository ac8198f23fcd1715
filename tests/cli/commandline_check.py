#!/usr/bin/env python3
"""The real program run from the command line on a machine with no display (no DISPLAY, no
QT_QPA_PLATFORM), its outputs read by other programs: the help and version, the Unicode row on
standard output, a PNG that PIL decodes and an SVG that parses as XML, each bad usage (status 2 and
a message), a missing alphabet or file of names and a read-only folder (status 1, a message naming
the file in plain words, nothing left behind), the window asked for without a display
(one line, status 1), and a long batch's progress, shown on a terminal only.

Usage: commandline_check.py PATH-TO-SCARABO VERSION
"""
import os
import pty
import re
import shutil
import subprocess
import sys
import tempfile
import time
import xml.etree.ElementTree as ElementTree
from pathlib import Path

from PIL import Image

GLYPH_PIXELS = 48  # a full-height sign, 12.7 mm at 96 dpi unless asked otherwise
WOMAN = "\U00013050"  # the seated woman, a determinative after a name
VERTICAL_JOINER = "\U00013430"


def headless():
    environment = {k: v for k, v in os.environ.items()
                   if k not in ("DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM")}
    return environment


def run(program, *arguments, prefix=(), cwd=None):
    return subprocess.run([*prefix, program, *arguments], capture_output=True, text=True,
                          env=headless(), cwd=cwd, timeout=30)


def check_answers(program, version, faults):
    help_run = run(program, "--help")
    if help_run.returncode != 0 or not help_run.stdout.startswith("Usage: scarabo [options]"):
        faults.append(f"--help: status {help_run.returncode}, {help_run.stdout[:40]!r}")
    for option in ("-o, --output <FILE>", "--batch <FILE>", "--text", "--size <MM>", "--letters",
                   "--no-letters", "--cartouche", "--transparent", "--dpi <N>",
                   "--arrange <groups|row>", "--direction <ltr|rtl>", "--vertical",
                   "--determinative <man|woman>", "--unicode-controls"):
        if option not in help_run.stdout:
            faults.append(f"--help does not show {option}")
    version_run = run(program, "--version")
    if (version_run.returncode, version_run.stdout) != (0, f"Scarabo {version}\n"):
        faults.append(f"--version: status {version_run.returncode}, {version_run.stdout!r}")
    text_run = run(program, "--text", "ship")
    if (text_run.returncode, text_run.stdout) != (0, "\U00013219\U000131CB\U000132AA\n"):
        faults.append(f"--text ship: status {text_run.returncode}, {text_run.stdout!r}")
    woman = run(program, "--text", "Cleopatra", "--determinative", "woman").stdout
    if not woman.endswith(WOMAN + "\n") or woman.count(WOMAN) != 1:
        faults.append(f"--determinative woman --text: {woman!r}")
    controls = run(program, "--text", "Cleopatra", "--unicode-controls").stdout
    if VERTICAL_JOINER not in controls or VERTICAL_JOINER in run(program, "--text", "Cleopatra").stdout:
        faults.append(f"--unicode-controls: {controls!r}")


# Texts that spell as another, and what --text says of each on standard error.
SAME_SPELLING = [("Jos\u00e9", "Jose"), ("Zo\u00eb", "Zoe"), ("Stra\u00dfe", "Strasse"),
                 ("Mary-Jane O'Neil", "MaryJaneONeil")]


def check_readings(program, folder, faults):
    for text, plain in SAME_SPELLING:
        spelled, expected = run(program, "--text", text), run(program, "--text", plain)
        if (spelled.stdout, spelled.stderr) != (expected.stdout, expected.stderr):
            faults.append(f"--text {text!r}: {spelled.stdout!r} {spelled.stderr!r}, "
                          f"not as {plain!r}: {expected.stdout!r}")
    for text, sound in (("Philip", "Filip"), ("Max", "Maks")):
        spelled = run(program, "--text", text, "--spelling", "sound").stdout
        as_typed = run(program, "--text", text, "--spelling", "letters").stdout
        # The alphabet's x is already basket + folded cloth, so only Philip differs as typed.
        differs = as_typed != spelled
        if spelled != run(program, "--text", sound).stdout or differs != (text == "Philip"):
            faults.append(f"--spelling: {text!r} gives {spelled!r} by sound, {as_typed!r} as typed")
    year = run(program, "--text", "1990").stdout
    if year != "\U000131BC" + "\U00013362" * 9 + "\U00013386" * 9 + "\n":
        faults.append(f"--text 1990: {year!r}")
    without = run(program, "--text", "ra 1990", "--no-numerals")
    if without.stdout.count("\n") != 1 or len(without.stdout) != 3 or "1990" not in without.stderr:
        faults.append(f"--text --no-numerals: {without.stdout!r}, {without.stderr!r}")
    damaged = folder / "damaged"
    damaged.mkdir()
    shutil.copy(program, damaged)
    (damaged / "Alphabet.dat").write_bytes(b'3,2\r\n"Letters","Sign"\r\n"s","x","y"\r\n"a","b"\r\n')
    result = run(str(damaged / Path(program).name), "--text", "sa")
    if result.returncode != 0 or "Alphabet.dat, line 3" not in result.stderr:
        faults.append(f"a damaged alphabet: status {result.returncode}, {result.stderr!r}")


def check_pictures(program, folder, faults):
    glyphs = len(run(program, "--text", "Cleopatra").stdout.strip())
    png = folder / "cleopatra.png"
    written = run(program, "Cleopatra", "-o", str(png))
    if written.returncode != 0 or not png.exists():
        faults.append(f"Cleopatra -o x.png: status {written.returncode}, {written.stderr}")
        return
    width, height = picture_size(png)
    # The signs grouped, so narrower than side by side, with a little room around them.
    if width >= glyphs * GLYPH_PIXELS or not GLYPH_PIXELS <= height <= 2 * GLYPH_PIXELS:
        faults.append(f"the PNG of {glyphs} glyphs is {width} x {height} pixels")
    check_picture_options(program, folder, (width, height), faults)
    check_writing_options(program, folder, (width, height), faults)
    svg = folder / "cleopatra.svg"
    written = run(program, "Cleopatra", "-o", str(svg), "--letters", "--transparent")
    try:
        root = ElementTree.parse(svg).getroot()
        if written.returncode != 0 or not root.tag.endswith("svg"):
            faults.append(f"Cleopatra -o x.svg: status {written.returncode}, root {root.tag}")
    except (OSError, ElementTree.ParseError) as error:
        faults.append(f"Cleopatra -o x.svg: status {written.returncode}, {error}")


def picture_size(path):
    with Image.open(path) as image:
        return image.size


def check_picture_options(program, folder, plain_size, faults):
    png = folder / "options.png"
    run(program, "Cleopatra", "-o", str(png), "--letters", "--transparent")
    with Image.open(png) as image:
        corner = image.convert("RGBA").getpixel((0, 0))
        if image.height <= plain_size[1] or corner[3] != 0:
            faults.append(f"--letters --transparent: {image.size}, corner {corner}, "
                          f"plain {plain_size}")


def check_writing_options(program, folder, plain_size, faults):
    """The options of how the signs are written reach the picture."""
    png = folder / "written.png"
    cases = [(["--arrange", "row"], lambda w, h: w > plain_size[0]),
             (["--vertical"], lambda w, h: h > w),
             (["--cartouche", "--determinative", "man"], lambda w, h: w > plain_size[0]),
             # 20 mm at 300 dpi: 300 / 96 * 20 / 12.7 times the plain picture's pixels
             (["--size", "20", "--dpi", "300"], lambda w, h: abs(h / plain_size[1] - 4.92) < 0.1)]
    for options, fits in cases:
        result = run(program, "Cleopatra", "-o", str(png), *options)
        size = picture_size(png) if result.returncode == 0 else None
        if not size or not fits(*size):
            faults.append(f"{options}: status {result.returncode}, {size}, plain {plain_size}")


def check_batch_of_names(program, folder, faults):
    names = folder / "class.txt"
    names.write_bytes("\ufeffship\r\n\r\n  Cleopatra \r\n   \nship".encode("utf-8"))
    result = run(program, "--batch", str(names), "--text")
    rows = result.stdout.split("\n")
    if result.returncode != 0 or len(rows) != 4 or rows[0] != rows[2] or rows[3] or not rows[1]:
        faults.append(f"--batch --text: status {result.returncode}, {result.stdout!r}")


# A class of thirty names.
CLASS = ["Cleopatra", "Ptolemy", "Nefertiti", "Ramses", "Hatshepsut", "Akhenaten", "Tutankhamun",
         "Imhotep", "Khufu", "Seti", "Thutmose", "Amenhotep", "Nefertari", "Ahmose", "Djoser",
         "Sneferu", "Menkaure", "Khafre", "Merneptah", "Horemheb", "Tiye", "Kiya", "Meritaten",
         "Ankhesenamun", "Psamtik", "Necho", "Taharqa", "Piye", "Shoshenq", "Osorkon"]


def pdf_text(path):
    """The PDF's text; a PDF whose structure qpdf finds at fault fails the run."""
    subprocess.run(["qpdf", "--check", str(path)], capture_output=True, check=True)
    return subprocess.run(["pdftotext", "-enc", "UTF-8", str(path), "-"], capture_output=True,
                          text=True, check=True).stdout


def check_paper(program, folder, faults):
    """--paper chooses the page, as pdfinfo reads it in points."""
    for paper, points in (("letter", "612 x 792"), ("a4", "595 x 842")):
        target = folder / f"{paper}.pdf"
        run(program, "Cleopatra", "--paper", paper, "-o", str(target))
        info = subprocess.run(["pdfinfo", str(target)], capture_output=True, text=True).stdout
        if not re.search(rf"Page size:\s+{points} pts", info):
            faults.append(f"--paper {paper}: {info!r}")


def check_documents(program, folder, faults):
    """One name as each document type, and a batch of the class as cards, read by other programs."""
    for suffix in ("pdf", "odt", "docx", "html"):
        target = folder / f"cleopatra.{suffix}"
        result = run(program, "Cleopatra", "--size", "15", "--cartouche", "-o", str(target))
        if result.returncode != 0 or not target.is_file():
            faults.append(f".{suffix}: status {result.returncode}, {result.stderr!r}")
    if "Cleopatra" not in pdf_text(folder / "cleopatra.pdf"):
        faults.append("pdftotext finds no Cleopatra in the PDF")
    docx = subprocess.run(["/usr/bin/python3", "-c", "import docx,sys; d=docx.Document(sys.argv[1]); "
                           "print(len(d.inline_shapes))", str(folder / "cleopatra.docx")],
                          capture_output=True, text=True)
    if docx.returncode != 0 or int(docx.stdout or 0) != 1:
        faults.append(f"python-docx: {docx.stdout!r} {docx.stderr[-200:]!r}")
    check_paper(program, folder, faults)
    names = folder / "class.txt"
    names.write_text("\n".join(CLASS) + "\n", encoding="utf-8")
    cards = folder / "cards.pdf"
    result = run(program, "--batch", str(names), "-o", str(cards))
    text = pdf_text(cards) if cards.is_file() else ""
    missing = [name for name in CLASS if name not in text]
    if result.returncode != 0 or missing:
        faults.append(f"--batch of {len(CLASS)}: status {result.returncode}, missing {missing}")
    check_cards(program, names, folder, faults)
    check_text_pages(program, folder, faults)


def pdf_words(path):
    """Each word poppler finds: (page, text, x middle, y middle, box), in points."""
    html = subprocess.run(["pdftotext", "-bbox", str(path), "-"], capture_output=True, text=True,
                          check=True).stdout
    words = []
    for page, body in enumerate(html.split("<page ")[1:]):
        for box, text in re.findall(r'<word ([^>]*)>([^<]*)</word>', body):
            x0, y0, x1, y1 = (float(v) for v in re.findall(r'"([\d.]+)"', box))
            words.append((page, text, (x0 + x1) / 2, (y0 + y1) / 2, (x0, y0, x1, y1)))
    return words


def is_hieroglyph(text):
    return any(0x13000 <= ord(c) <= 0x1342F for c in text)


def check_cards(program, names, folder, faults):
    """Eight cards an A4 page in a 2 x 4 grid within 20 mm margins: each card holds one name whole,
    its signs and its English together, and no sign crosses a card's edge."""
    cards = folder / "a4cards.pdf"
    run(program, "--batch", str(names), "--paper", "a4", "--no-letters", "-o", str(cards))
    words = pdf_words(cards)
    pages = 1 + max(page for page, *_ in words)
    margin, width, height = 20 / 25.4 * 72, 595.28, 841.89
    card = ((width - 2 * margin) / 2, (height - 2 * margin) / 4)
    def cell(x, y):
        return int((x - margin) // card[0]), int((y - margin) // card[1])
    holders = {}
    for page, text, x, y, box in words:
        if not is_hieroglyph(text) and text not in CLASS:
            continue
        column, row = cell(x, y)
        left, top = margin + column * card[0], margin + row * card[1]
        if not (left <= box[0] and box[2] <= left + card[0] and top <= box[1] and box[3] <= top + card[1]):
            faults.append(f"cards: {text!r} crosses the edge of card {column, row} on page {page + 1}")
        holders.setdefault((page, column, row), []).append(text)
    english = [[t for t in texts if not is_hieroglyph(t)] for texts in holders.values()]
    signs = [[t for t in texts if is_hieroglyph(t)] for texts in holders.values()]
    if pages != -(-len(CLASS) // 8) or sorted(sum(english, [])) != sorted(CLASS) or \
            any(len(names) != 1 for names in english) or not all(signs):
        faults.append(f"cards: {pages} pages, {sorted(holders.items())}")


def check_text_pages(program, folder, faults):
    """Text pages break between words: each line of signs is the signs of whole words, in order."""
    words = ("Christopher Columbus sailed from Palos with three ships and came to an island "
             "that he named San Salvador").split()
    listed = folder / "words.txt"
    listed.write_text("\n".join(words) + "\n", encoding="utf-8")
    spelled = run(program, "--batch", str(listed), "--text").stdout.split("\n")[:len(words)]
    target = folder / "text.pdf"
    run(program, " ".join(words), "--page", "text", "--arrange", "row", "--size", "16",
        "--no-letters", "--no-unicode-line", "-o", str(target))
    signs = sorted((page, y, x, text) for page, text, x, y, _ in pdf_words(target)
                   if is_hieroglyph(text))
    lines = []
    for page, y, x, text in signs:
        if not lines or lines[-1][0] != page or y - lines[-1][1] > 20:
            lines.append([page, y, []])
        lines[-1][2].append((x, text))
    first = 0
    for _, _, line in lines:
        text = "".join(t for _, t in sorted(line))
        last = first
        while last < len(words) and "".join(spelled[first:last]) != text:
            last += 1
        if "".join(spelled[first:last]) != text:
            faults.append(f"text pages: a line that is no run of whole words: {text!r}, "
                          f"words from {words[first]!r}")
            return
        first = last
    if first != len(words) or len(lines) < 2:
        faults.append(f"text pages: {len(lines)} lines hold {first} of {len(words)} words")


def batch_errors(program, folder, terminal):
    """What a long batch writes on standard error, a pipe or a terminal, and how long it took."""
    names = folder / "long.txt"
    names.write_text("Cleopatra\n" * 1000, encoding="utf-8")
    arguments = [program, "--batch", str(names), "-o", str(folder / "long.odt")]
    started = time.monotonic()
    if not terminal:
        errors = subprocess.run(arguments, capture_output=True, text=True, env=headless(),
                                timeout=120).stderr
        return errors, time.monotonic() - started
    main, other = pty.openpty()
    child = subprocess.Popen(arguments, stdout=subprocess.DEVNULL, stderr=other, env=headless())
    os.close(other)
    seen = b""
    while True:
        try:
            piece = os.read(main, 4096)
        except OSError:  # the terminal's far end closed
            break
        if not piece:
            break
        seen += piece
    child.wait(timeout=120)
    os.close(main)
    return seen.decode("utf-8").replace("\r\n", "\n"), time.monotonic() - started


def check_batch_progress(program, folder, faults):
    """A batch that takes over a second shows its progress on a terminal, on one line ended by a
    newline, and nothing of it where standard error is a pipe."""
    piped, _ = batch_errors(program, folder, False)
    if "Writing" in piped or "\r" in piped:
        faults.append(f"progress where standard error is a pipe: {piped[:200]!r}")
    shown, took = batch_errors(program, folder, True)
    if took > 1.5 and not re.search(r"\rWriting long\.odt: 1,000 of 1,000 names\n", shown):
        faults.append(f"a batch of {took:.1f} s shows on a terminal {shown[-200:]!r}")


# Each bad usage: the arguments and a word the message must hold.
BAD_USAGES = [
    (["--bogus"], "bogus"),
    (["-o", "x.png"], "no text"),
    (["Cleopatra", "--cartouche"], "-o FILE"),
    (["Cleopatra", "--batch", "names.txt", "-o", "x.png"], "not both"),
    (["Cleopatra", "-o", "x.doc"], "x.doc"),
    (["Cleopatra", "Ptolemy", "-o", "x.png"], "quotes"),
    (["--batch", "names.txt", "-o", "x.png"], "picture"),
    (["--batch", "blank.txt", "--text"], "blank.txt"),
    (["Cleopatra", "--text", "-o", "x.png"], "--text"),
    (["Cleopatra", "--size", "0", "-o", "x.png"], "--size"),
    (["Cleopatra", "--size", "12.7mm", "-o", "x.png"], "--size"),
    (["Cleopatra", "--dpi", "300", "-o", "x.svg"], "--dpi"),
    (["Cleopatra", "--dpi", "300", "-o", "x.pdf"], ".png"),
    (["Cleopatra", "--arrange", "column", "-o", "x.png"], "groups or row"),
    (["Cleopatra", "--unicode-controls"], "--text"),
    (["Cleopatra", "--size", "2", "-o", "x.pdf"], "from 3 to 100"),
    (["Cleopatra", "--letters", "--no-letters", "-o", "x.png"], "--no-letters"),
    (["Cleopatra", "--transparent", "-o", "x.pdf"], "pictures"),
    (["Cleopatra", "--size", "100", "-o", "x.pdf"], "the largest that fits is"),
    (["Cleopatra", "--page", "cards", "-o", "x.png"], "documents"),
]


def check_bad_usages(program, folder, faults):
    (folder / "names.txt").write_text("Cleopatra\nPtolemy\n", encoding="utf-8")
    (folder / "blank.txt").write_text("\r\n  \r\n", encoding="utf-8")
    for arguments, word in BAD_USAGES:
        result = run(program, *arguments, cwd=folder)
        if result.returncode != 2 or word not in result.stderr or result.stdout:
            faults.append(f"{arguments}: status {result.returncode}, {result.stderr!r}")
    if any((folder / name).exists() for name in ("x.png", "x.doc", "x.pdf")):
        faults.append("a bad usage wrote a file")


def check_failures(program, folder, faults):
    alone = folder / "alone"
    alone.mkdir()
    shutil.copy(program, alone)
    result = run(str(alone / Path(program).name), "--text", "ship")
    if result.returncode != 1 or str(alone / "Alphabet.dat") not in result.stderr:
        faults.append(f"no alphabet: status {result.returncode}, {result.stderr!r}")
    missing = folder / "missing.txt"
    result = run(program, "--batch", str(missing), "--text")
    if result.returncode != 1 or str(missing) not in result.stderr:
        faults.append(f"a missing batch file: status {result.returncode}, {result.stderr!r}")
    locked = folder / "locked"
    locked.mkdir()
    locked.chmod(0o555)
    target = locked / "cleopatra.png"
    # Root writes anywhere unless it gives up overriding permissions.
    prefix = ["setpriv", "--bounding-set=-dac_override,-dac_read_search"] if os.getuid() == 0 else []
    result = run(program, "Cleopatra", "-o", str(target), prefix=prefix)
    if (result.returncode != 1 or f"cannot write \u201c{target}\u201d" not in result.stderr
            or any(locked.iterdir())):
        faults.append(f"a read-only folder: status {result.returncode}, {result.stderr!r}, "
                      f"left {[p.name for p in locked.iterdir()]}")
    locked.chmod(0o755)
    result = run(program, "Cleopatra", "-o", str(folder / "nowhere" / "x.pdf"))
    if result.returncode != 1 or not result.stderr.endswith(": the folder does not exist\n"):
        faults.append(f"a missing folder: status {result.returncode}, {result.stderr!r}")


def check_window_without_display(program, faults):
    """The window's start, by no arguments or Qt's own options alone, where there is no display."""
    for arguments in ([], ["-style", "fusion"], ["-reverse"], ["-platform", "xcb"]):
        result = run(program, *arguments)
        lines = [line for line in result.stderr.splitlines() if "no display" in line]
        if result.returncode != 1 or len(lines) != 1 or result.stdout:
            faults.append(f"{arguments} without a display: status {result.returncode}, "
                          f"{result.stderr!r}")


def main(program, version):
    program = str(Path(program).resolve())
    faults = []
    with tempfile.TemporaryDirectory() as scratch:
        folder = Path(scratch)
        check_answers(program, version, faults)
        check_readings(program, folder, faults)
        check_pictures(program, folder, faults)
        check_batch_of_names(program, folder, faults)
        check_documents(program, folder, faults)
        check_batch_progress(program, folder, faults)
        check_bad_usages(program, folder, faults)
        check_failures(program, folder, faults)
        check_window_without_display(program, faults)
    print("\n".join(faults) or "the command line answers as it should")
    return 1 if faults else 0


if __name__ == "__main__":
    sys.exit(main(*sys.argv[1:]))
