#!/usr/bin/python3
"""Opens the help page in headless Chromium, keeps a screenshot, and checks that the page draws
something and that every local file it refers to exists (every picture also opens as a picture).

usage: help_page_check.py CHROMIUM PAGE SCREENSHOT
"""
import html.parser
import pathlib
import re
import subprocess
import sys
import tempfile
import urllib.parse

from PIL import Image

PICTURE_TAGS = {"img", "image", "input", "source", "video"}
CSS_URL = re.compile(r"url\(\s*['\"]?([^'\")]+)['\"]?\s*\)")


class References(html.parser.HTMLParser):
    """Collects (reference, is_picture) from attributes, inline styles and style blocks."""

    def __init__(self):
        super().__init__()
        self.found = []
        self._in_style = False

    def handle_starttag(self, tag, attrs):
        self._in_style = tag == "style"
        for name, value in attrs:
            if not value:
                continue
            if name in ("src", "href", "poster", "data"):
                is_icon = tag == "link" and "icon" in (dict(attrs).get("rel") or "")
                self.found.append((value, tag in PICTURE_TAGS or is_icon or name == "poster"))
            elif name == "srcset":
                self.found += [(part.split()[0], True) for part in value.split(",") if part.strip()]
            elif name == "style":
                self.found += [(url, True) for url in CSS_URL.findall(value)]

    def handle_endtag(self, tag):
        if tag == "style":
            self._in_style = False

    def handle_data(self, data):
        if self._in_style:
            self.found += [(url, True) for url in CSS_URL.findall(data)]


def local_file(page, reference):
    """The file a reference names, or None for fragments and other schemes."""
    parts = urllib.parse.urlsplit(reference)
    if parts.scheme not in ("", "file") or not parts.path:
        return None
    path = urllib.parse.unquote(parts.path)
    return pathlib.Path(path) if parts.scheme == "file" else page.parent / path


def missing_references(page):
    parser = References()
    parser.feed(page.read_text(encoding="utf-8"))
    problems, pictures = [], 0
    for reference, is_picture in parser.found:
        target = local_file(page, reference)
        if target is None:
            continue
        if not target.is_file():
            problems.append(f"missing: {reference}")
        elif is_picture:
            pictures += 1
            try:
                with Image.open(target) as picture:
                    picture.verify()
            except Exception as error:  # any unreadable picture is a fault of the page
                problems.append(f"not a picture: {reference} ({error})")
    return problems, pictures


def take_screenshot(chromium, page, screenshot):
    with tempfile.TemporaryDirectory() as profile:
        subprocess.run([chromium, "--headless", "--no-sandbox", "--disable-gpu", "--hide-scrollbars",
                        "--no-first-run", f"--user-data-dir={profile}", "--window-size=1000,2400",
                        f"--screenshot={screenshot}", page.resolve().as_uri()],
                       check=True, timeout=120, stdout=subprocess.DEVNULL, stderr=subprocess.DEVNULL)


def drawn_colours(screenshot):
    with Image.open(screenshot) as shot:
        return len(shot.convert("RGB").getcolors(maxcolors=1 << 24))


def main(chromium, page, screenshot):
    page, screenshot = pathlib.Path(page), pathlib.Path(screenshot)
    problems, pictures = missing_references(page)
    if pictures == 0:
        problems.append("the page shows no pictures")
    screenshot.unlink(missing_ok=True)
    take_screenshot(chromium, page, screenshot)
    if not screenshot.is_file():
        problems.append("Chromium wrote no screenshot")
    elif drawn_colours(screenshot) < 50:
        problems.append("the screenshot is (nearly) blank")
    for problem in problems:
        print(problem)
    print(f"{pictures} picture references checked; screenshot: {screenshot}")
    return 1 if problems else 0


if __name__ == "__main__":
    if len(sys.argv) != 4:
        sys.exit(__doc__)
    sys.exit(main(*sys.argv[1:]))
