#!/usr/bin/python3
"""Checks the documents that Scarabo saves with programs other than Scarabo.

Usage: check_documents.py WRITER APP_FOLDER WORK_FOLDER

WRITER is writedocument; APP_FOLDER holds Alphabet.dat, Images/ and fonts/ as the program's folder
does. Every PDF written is checked by qpdf --check, among them those whose titles spell PDF
structure in their UTF-16 bytes. The PDF is read by poppler-utils (pdftotext, pdffonts, pdfimages, pdftoppm), the DOCX by
python3-docx, the DOCX and the ODT converted to PDF by a headless LibreOffice, the HTML drawn by a
headless Chromium. The printed PDF is compared with the saved one, drawn. ODT, DOCX and HTML must
hold one picture a name, described by its text and its signs' labels, each distinct picture stored
once. A batch on cards holds eight whole names a page in LibreOffice and Chromium, the DOCX's
cards a table whose rows never break; a sheet holds one name. Exits 0 when every check passes,
1 with the failures. The pictures drawn are left in WORK_FOLDER to be looked at.
"""
import re
import subprocess
import sys
import tempfile
import zipfile
from html import unescape
from html.parser import HTMLParser
from pathlib import Path

import docx
from PIL import Image, ImageChops

NAMES = ["Cleopatra", "Christopher Columbus discovered America", "ship", "ship"]
DISTINCT = 3  # pictures: the two ships are alike
SHIP_UNICODE = "\U00013219\U000131CB\U000132AA"
SHIP_DESCRIPTION = "ship: sh: N37, pool; i: M17, reed; p: Q3, stool"

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
    """The placed pictures, from pdfimages -list."""
    return run("pdfimages", "-list", pdf, check=True).stdout.splitlines()[2:]


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
    check(not pictures, f"names.pdf: the signs are not all outlines: {pictures}")
    run("pdftoppm", "-r", "72", "-png", "-f", "1", "-l", "1", pdf, work / "names", check=True)
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


def docx_pictures(path):
    """Each picture's description, whether its two sizes agree, and the pictures stored."""
    shapes = docx.Document(path).inline_shapes
    described, agreeing = [], []
    for shape in shapes:
        inline = shape._inline
        extent = (inline.extent.cx, inline.extent.cy)
        ext = inline.graphic.graphicData.pic.spPr.xfrm.ext
        described.append(inline.docPr.get("descr"))
        agreeing.append(extent == (ext.cx, ext.cy) and "svgBlip" in inline.xml)
    with zipfile.ZipFile(path) as package:
        check(package.testzip() is None, f"{path.name}: a damaged member")
        stored = [name for name in package.namelist() if name.startswith("word/media/")]
    check(all(agreeing), f"{path.name}: a picture whose extents disagree or without its SVG")
    return described, stored


def odt_pictures(path):
    with zipfile.ZipFile(path) as package:
        content = package.read("content.xml").decode("utf-8")
        stored = [name for name in package.namelist() if name.startswith("Pictures/")]
    frames = re.findall(r"<draw:frame.*?</draw:frame>", content, re.S)
    check(all(re.findall(r'mime-type="([^"]+)"', frame) == ["image/svg+xml", "image/png"]
              for frame in frames), f"{path.name}: a picture is not an SVG with a PNG after it")
    return [unescape(re.search(r"<svg:desc>(.*?)</svg:desc>", frame, re.S).group(1))
            for frame in frames], stored


class HtmlPictures(HTMLParser):
    def __init__(self):
        super().__init__()
        self.described, self.stored, self.unicode_fonts = [], [], []

    def handle_starttag(self, tag, attributes):
        attributes = dict(attributes)
        if tag == "svg" and attributes.get("role") == "img":
            self.described.append(attributes.get("aria-label"))
        if tag == "g" and attributes.get("id", "").startswith("writing"):
            self.stored.append(attributes["id"])
        if tag == "span" and "font-family" in attributes.get("style", ""):
            self.unicode_fonts.append(attributes["style"])


def html_pictures(path):
    page = HtmlPictures()
    page.feed(path.read_text(encoding="utf-8"))
    check(page.unicode_fonts and all("font-family:Aegyptus" in style for style in page.unicode_fonts),
          f"{path.name}: the Unicode rows' fonts are {page.unicode_fonts}")
    return page.described, page.stored


def check_pictures(path, read):
    """One picture a name, described by its text and labels; each distinct picture stored once (as
    SVG, with a PNG beside it in ODT and DOCX)."""
    described, stored = read(path)
    check(len(described) == len(NAMES) and all(
        text and text.startswith(name + ": ") for text, name in zip(described, NAMES)),
        f"{path.name}: the pictures say {described}")
    check(described[-1] == SHIP_DESCRIPTION, f"{path.name}: ship's picture says {described[-1:]}")
    per_picture = 1 if path.suffix == ".html" else 2
    check(len(stored) == DISTINCT * per_picture, f"{path.name}: pictures stored: {stored}")


def check_docx_text(path):
    texts = [paragraph.text for paragraph in docx.Document(path).paragraphs]
    for expected in NAMES + [SHIP_UNICODE]:
        check(expected in texts, f"{path.name}: no paragraph {expected!r}")


def check_office(path, work):
    """LibreOffice converts the file to PDF without an error and shows its text; its first page is
    left drawn to be looked at."""
    with tempfile.TemporaryDirectory() as profile:
        out = work / path.suffix[1:]
        result = run("soffice", f"-env:UserInstallation=file://{profile}", "--headless",
                     "--convert-to", "pdf", "--outdir", out, path, timeout=180)
    pdf = out / (path.stem + ".pdf")
    check(result.returncode == 0 and pdf.exists() and "rror" not in result.stderr,
          f"LibreOffice on {path.name}: {result.returncode} {result.stderr.strip()}")
    if pdf.exists():
        text = run("pdftotext", pdf, "-").stdout
        check(all(name in text for name in NAMES), f"{path.name} in LibreOffice: the names are missing")
        run("pdftoppm", "-r", "72", "-png", "-f", "1", "-l", "1", pdf, out / "names")


# A class's names on cards, eight a page; no name is a part of another, so a page's text tells
# which names it holds whole.
BATCH = ["Aaron", "Beatrice", "Cedric", "Dorothy", "Edmund", "Felicity", "Gideon", "Harriet",
         "Ignatius", "Josephine", "Kenneth", "Lucinda", "Montgomery", "Nadine", "Oswald",
         "Penelope", "Quentin", "Rosalind", "Sebastian", "Theodora", "Ulysses", "Veronica",
         "Wilfred", "Xanthe", "Yolanda", "Zachary", "Bartholomew", "Clementine", "Desmond",
         "Evangeline"]
SHEETS = ["Cleopatra", "Christopher Columbus discovered America", "ship"]


def pages_of(pdf):
    info = run("pdfinfo", pdf).stdout
    count = int(re.search(r"Pages:\s+(\d+)", info).group(1)) if "Pages:" in info else 0
    return [run("pdftotext", "-f", page, "-l", page, pdf, "-").stdout for page in range(1, count + 1)]


def check_names_on_pages(pdf, names, per_page, what):
    """Each page holds its names whole, and only those; its pages drawn small to be looked at."""
    pages = pages_of(pdf)
    expected = [names[k:k + per_page] for k in range(0, len(names), per_page)]
    check(len(pages) == len(expected), f"{what}: {len(pages)} pages, not {len(expected)}")
    for number, (text, held) in enumerate(zip(pages, expected), 1):
        words = " ".join(text.split())
        found = [name for name in names if name in words]
        check(found == held, f"{what}: page {number} holds {found}, not {held}")
    run("pdftoppm", "-r", "40", "-png", pdf, pdf.with_suffix(""))


def converted_by_office(path, work):
    with tempfile.TemporaryDirectory() as profile:
        out = work / "pages" / path.suffix[1:]
        run("soffice", f"-env:UserInstallation=file://{profile}", "--headless",
            "--convert-to", "pdf", "--outdir", out, path, timeout=180)
    return out / (path.stem + ".pdf")


def check_docx_cards(path):
    """The cards are one table of two columns whose rows have one height and never break."""
    tables = docx.Document(path).tables
    check(len(tables) == 1, f"{path.name}: {len(tables)} tables")
    if tables:
        rows = tables[0].rows
        check(len(rows) == (len(BATCH) + 1) // 2 and len(tables[0].columns) == 2,
              f"{path.name}: {len(rows)} rows of {len(tables[0].columns)} cells")
        check(all(row._tr.xpath("./w:trPr/w:cantSplit") and row.height == rows[0].height
                  and "exact" in row._tr.xml for row in rows),
              f"{path.name}: a row may break or differs in height")


def check_page_kinds(writer, app, work):
    """A batch on cards, eight whole names a page, and one name a sheet, as LibreOffice and
    Chromium set them."""
    for suffix in (".odt", ".docx", ".html"):
        cards = write(writer, app, work / f"cards{suffix}", "page=cards", texts=BATCH)
        if suffix == ".html":
            pdf = work / "pages" / "cards-html.pdf"
            pdf.parent.mkdir(exist_ok=True)
            run("chromium", "--headless", "--no-sandbox", "--disable-gpu", "--no-pdf-header-footer",
                f"--print-to-pdf={pdf}", cards.as_uri(), timeout=120)
        else:
            pdf = converted_by_office(cards, work)
        check_names_on_pages(pdf, BATCH, 8, cards.name)
    check_docx_cards(work / "cards.docx")
    for suffix in (".odt", ".docx"):
        sheets = write(writer, app, work / f"sheets{suffix}", "page=sheet", "fit", texts=SHEETS)
        check_names_on_pages(converted_by_office(sheets, work), SHEETS, 1, sheets.name)


def check_html_drawn(path, work):
    screenshot = work / "names-chromium.png"
    run("chromium", "--headless", "--no-sandbox", "--disable-gpu", f"--screenshot={screenshot}",
        "--window-size=900,1200", path.as_uri(), timeout=120)
    check(screenshot.exists() and Image.open(screenshot).convert("L").getextrema()[0] < 64,
          f"{path.name}: Chromium drew nothing")


def main():
    writer, app, work = sys.argv[1], sys.argv[2], Path(sys.argv[3])
    work.mkdir(parents=True, exist_ok=True)
    saved = check_pdf(writer, app, work)
    check_print(writer, app, work, saved)
    readers = {".docx": docx_pictures, ".odt": odt_pictures, ".html": html_pictures}
    for suffix, read in readers.items():
        check_pictures(write(writer, app, work / f"names{suffix}", "letters", "cartouche"), read)
    check_docx_text(work / "names.docx")
    check_office(work / "names.docx", work)
    check_office(work / "names.odt", work)
    check_html_drawn(work / "names.html", work)
    check_page_kinds(writer, app, work)
    check_hostile_titles(writer, app, work)
    for failure in failures:
        print(failure)
    sys.exit(1 if failures else 0)


main()
