#!/usr/bin/python3
"""Checks the documents that Scarabo saves with programs other than Scarabo.

Usage: check_documents.py WRITER APP_FOLDER WORK_FOLDER

WRITER is writedocument; APP_FOLDER holds Alphabet.dat, Images/ and fonts/ as the program's folder
does. Every PDF written is checked by qpdf --check, among them those whose titles spell PDF
structure in their UTF-16 bytes. The PDF is read by poppler-utils (pdftotext, pdffonts, pdfimages, pdftoppm), the DOCX by
python3-docx, the DOCX and the ODT converted to PDF by a headless LibreOffice, the HTML drawn by a
headless Chromium. The printed PDF is compared with the saved one, drawn. Exits 0 when every check
passes, 1 with the failures. The pictures drawn are left in WORK_FOLDER to be looked at.
"""
import base64
import io
import subprocess
import sys
import tempfile
import zipfile
from html.parser import HTMLParser
from pathlib import Path

import docx
from PIL import Image, ImageChops

NAMES = ["Cleopatra", "Christopher Columbus discovered America", "ship"]
SHIP_UNICODE = "\U00013219\U000131CB\U000132AA"
SHIP_LABELS = ["sh: N37, pool", "i: M17, reed", "p: Q3, stool"]
GLYPHS = 9 + 35 + 3  # the glyphs of NAMES, every one of them ("Ch" is one)

failures = []


def check(condition, what):
    if not condition:
        failures.append(what)


def run(*command, **options):
    return subprocess.run([str(part) for part in command], capture_output=True, text=True, **options)


def write(writer, app, path, *flags, texts=NAMES):
    result = run(writer, app, path, *flags, "--", *texts)
    if result.returncode != 0:
        sys.exit(f"{writer} {path.name}: {result.stderr.strip()}")
    if path.suffix == ".pdf":
        qpdf = run("qpdf", "--check", path)
        check(qpdf.returncode == 0, f"{path.name}: qpdf --check: {qpdf.stdout.strip()} {qpdf.stderr.strip()}")
    return path


# English texts whose UTF-16 bytes, as a PDF stores the title, read as a font's entries and as an
# object's header: neither may change which object the Unicode map replaces.
HOSTILE_TITLES = [
    "/BaseFont /Aegyptus /Encoding /Identity-H /DescendantFonts [27 0 R] /ToUnicode 2 0 R"
    .encode("ascii").decode("utf-16-be"),
    "Ship \u0a32\u3220\u3020\u6f62\u6a0a",
]


def check_hostile_titles(writer, app, work):
    for number, title in enumerate(HOSTILE_TITLES):
        for attempt in range(5):  # objects were numbered differently from run to run
            pdf = write(writer, app, work / f"hostile{number}-{attempt}.pdf", texts=[title, "ship"])
            text = run("pdftotext", pdf, "-").stdout
            check(SHIP_UNICODE in text, f"{pdf.name}: pdftotext does not find the Unicode row of ship")
            info = run("pdfinfo", pdf)
            check(info.returncode == 0, f"{pdf.name}: pdfinfo: {info.stderr.strip()}")


def pictures_in_pdf(pdf):
    """Each placed picture's width in pixels and horizontal resolution, from pdfimages -list."""
    rows = run("pdfimages", "-list", pdf, check=True).stdout.splitlines()[2:]
    return [(int(row.split()[3]), int(row.split()[12])) for row in rows]


def check_pdf(writer, app, work):
    pdf = write(writer, app, work / "names.pdf", "letters", "cartouche")
    text = run("pdftotext", pdf, "-", check=True).stdout
    for name in NAMES:
        check(name in text, f"names.pdf: pdftotext does not find {name!r}")
    check(SHIP_UNICODE in text, "names.pdf: pdftotext does not find the Unicode row of ship")
    fonts = run("pdffonts", pdf, check=True).stdout.splitlines()[2:]
    check(any(line.startswith("Aegyptus") and line.split()[-5] == "yes" for line in fonts),
          f"names.pdf: no embedded Aegyptus font in {fonts}")
    pictures = pictures_in_pdf(pdf)
    check(len(pictures) == GLYPHS, f"names.pdf: {len(pictures)} pictures, not {GLYPHS}")
    check(all(ppi >= 192 for _, ppi in pictures), f"names.pdf: pictures below 192 dpi: {pictures}")
    run("pdftoppm", "-r", "72", "-png", "-f", "1", "-l", "1", pdf, work / "names", check=True)

    large = pictures_in_pdf(write(writer, app, work / "large.pdf", "mm=30"))
    check(large and all(ppi >= 192 for _, ppi in large), f"large.pdf: below 192 dpi: {large}")
    return pdf


def drawn(pdf, name, work):
    run("pdftoppm", "-r", "50", "-gray", "-png", "-f", "1", "-l", "1", pdf, work / name, check=True)
    return Image.open(work / f"{name}-1.png").convert("L")


def check_print(writer, app, work, saved):
    printed = write(writer, app, work / "printed.pdf", "letters", "cartouche", "print")
    a, b = drawn(saved, "saved", work), drawn(printed, "printed", work)
    check(a.size == b.size, f"printed.pdf is drawn {b.size}, the saved PDF {a.size}")
    if a.size == b.size:
        differing = sum(1 for value in ImageChops.difference(a, b).getdata() if value > 64)
        check(differing <= a.width * a.height // 1000,
              f"printed.pdf: {differing} pixels differ from the saved PDF's page")


def check_docx(writer, app, work):
    path = write(writer, app, work / "names.docx", "letters", "cartouche")
    document = docx.Document(path)
    shapes = document.inline_shapes
    check(len(shapes) == GLYPHS, f"names.docx: {len(shapes)} inline pictures, not {GLYPHS}")
    described = [shape._inline.docPr.get("descr") for shape in shapes]
    check(all(described), "names.docx: a picture without alternative text")
    check(described[-3:] == SHIP_LABELS, f"names.docx: ship's pictures say {described[-3:]}")
    texts = [paragraph.text for paragraph in document.paragraphs]
    for expected in NAMES + [SHIP_UNICODE]:
        check(expected in texts, f"names.docx: no paragraph {expected!r}")
    with zipfile.ZipFile(path) as package:
        check(package.testzip() is None, "names.docx: a damaged member")
    return path


def check_office(docx_path, odt_path, work):
    with tempfile.TemporaryDirectory() as profile:
        for path in (docx_path, odt_path):
            out = work / path.suffix[1:]
            result = run("soffice", f"-env:UserInstallation=file://{profile}", "--headless",
                         "--convert-to", "pdf", "--outdir", out, path, timeout=180)
            pdf = out / (path.stem + ".pdf")
            check(result.returncode == 0 and pdf.exists() and "rror" not in result.stderr,
                  f"LibreOffice on {path.name}: {result.returncode} {result.stderr.strip()}")
            if pdf.exists():
                count = len(pictures_in_pdf(pdf))
                check(count == GLYPHS, f"{path.name} in LibreOffice: {count} pictures, not {GLYPHS}")


class Images(HTMLParser):
    def __init__(self):
        super().__init__()
        self.sources, self.unicode_fonts = [], []

    def handle_starttag(self, tag, attributes):
        attributes = dict(attributes)
        if tag == "img":
            self.sources.append((attributes.get("src", ""), attributes.get("alt", "")))
        if tag == "span" and "font-family" in attributes.get("style", ""):
            self.unicode_fonts.append(attributes["style"])


def check_html(writer, app, work):
    path = write(writer, app, work / "names.html", "letters", "cartouche")
    page = Images()
    page.feed(path.read_text(encoding="utf-8"))
    check(len(page.sources) == GLYPHS, f"names.html: {len(page.sources)} pictures, not {GLYPHS}")
    for source, alt in page.sources:
        header, _, data = source.partition(",")
        try:
            check(header == "data:image/png;base64" and Image.open(io.BytesIO(base64.b64decode(data))).width >= 96,
                  f"names.html: the picture of {alt!r} is not a PNG data URI")
        except Exception as error:
            failures.append(f"names.html: the picture of {alt!r} does not decode: {error}")
    check([alt for _, alt in page.sources][-3:] == SHIP_LABELS, "names.html: ship's pictures lack their labels")
    check(page.unicode_fonts and all("font-family:Aegyptus" in style for style in page.unicode_fonts),
          f"names.html: the Unicode rows' fonts are {page.unicode_fonts}")
    screenshot = work / "names-chromium.png"
    run("chromium", "--headless", "--no-sandbox", "--disable-gpu", f"--screenshot={screenshot}",
        "--window-size=900,1200", path.as_uri(), timeout=120)
    check(screenshot.exists() and Image.open(screenshot).convert("L").getextrema()[0] < 64,
          "names.html: Chromium drew nothing")


def main():
    writer, app, work = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    work.mkdir(parents=True, exist_ok=True)
    saved = check_pdf(writer, app, work)
    check_print(writer, app, work, saved)
    docx_path = check_docx(writer, app, work)
    odt_path = write(writer, app, work / "names.odt", "letters", "cartouche")
    check_office(docx_path, odt_path, work)
    check_html(writer, app, work)
    check_hostile_titles(writer, app, work)
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


main()
