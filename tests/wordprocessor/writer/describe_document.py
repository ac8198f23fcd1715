#!/usr/bin/python3
"""Describes a text document stored as .docx and as .odt, as JSON {"docx": [...], "odt": [...]}:
one line per paragraph with its text, then each picture as WIDTHxHEIGHT, the pixel size of the
image stored in the document, followed by what is wrong with it: ":floating" (not inline),
":linked" (not stored in the document) or ":size=WxH" (shown at another size than its pixels at
96 dpi), then its alternative text in braces if it has one: in .docx Word's "descr", in .odt the
title (Writer's "Text Alternative") and the description, given once when they are the same,
else as "{title|description}"."""
import io
import json
import re
import sys
import zipfile

import docx
from docx.oxml.ns import qn
from lxml import etree
from PIL import Image

EMU_PER_PIXEL = 9525
ODF = {
    'office': 'urn:oasis:names:tc:opendocument:xmlns:office:1.0',
    'text': 'urn:oasis:names:tc:opendocument:xmlns:text:1.0',
    'draw': 'urn:oasis:names:tc:opendocument:xmlns:drawing:1.0',
    'svg': 'urn:oasis:names:tc:opendocument:xmlns:svg-compatible:1.0',
    'xlink': 'http://www.w3.org/1999/xlink',
}
PIXELS_PER_UNIT = {'in': 96.0, 'cm': 96 / 2.54, 'mm': 96 / 25.4, 'pt': 96 / 72.0}


def alternative_text(*texts):
    if not any(texts):
        return ''
    return '{%s}' % '|'.join(dict.fromkeys(texts))


def picture(pixels, shown, flags, alternative):
    width, height = pixels
    if abs(shown[0] - width) > max(1, width / 50) or abs(shown[1] - height) > max(1, height / 50):
        flags.append('size=%.0fx%.0f' % shown)
    return ':'.join(['%dx%d' % pixels] + flags) + alternative


def line(text, pictures):
    return ' '.join(([text] if text else []) + pictures)


def docx_picture(document, drawing):
    inline = drawing.find(qn('wp:inline'))
    frame = inline if inline is not None else drawing.find(qn('wp:anchor'))
    flags = [] if inline is not None else ['floating']
    blip = frame.find('.//' + qn('a:blip'))
    embedded = blip.get(qn('r:embed'))
    if embedded is None:
        return '?x?:linked'
    image = Image.open(io.BytesIO(document.part.related_parts[embedded].blob))
    extent = frame.find(qn('wp:extent'))
    shown = (int(extent.get('cx')) / EMU_PER_PIXEL, int(extent.get('cy')) / EMU_PER_PIXEL)
    return picture(image.size, shown, flags,
                   alternative_text(frame.find(qn('wp:docPr')).get('descr', '')))


def describe_docx(path):
    document = docx.Document(path)
    return [line(paragraph.text,
                 [docx_picture(document, drawing) for drawing in paragraph._p.iter(qn('w:drawing'))])
            for paragraph in document.paragraphs]


def length_in_pixels(length):
    value, unit = re.fullmatch(r'([0-9.]+)(in|cm|mm|pt)', length).groups()
    return float(value) * PIXELS_PER_UNIT[unit]


def odt_text(element):
    """The text of an element, without that of the pictures in it."""
    text = element.text or ''
    for child in element:
        if child.tag != '{%s}frame' % ODF['draw']:
            text += odt_text(child)
        text += child.tail or ''
    return text


def odt_picture(package, frame):
    flags = [] if frame.get('{%s}anchor-type' % ODF['text']) == 'as-char' else ['floating']
    source = frame.find('draw:image', ODF).get('{%s}href' % ODF['xlink'])
    if source not in package.namelist():
        return '?x?:linked'
    image = Image.open(io.BytesIO(package.read(source)))
    shown = (length_in_pixels(frame.get('{%s}width' % ODF['svg'])),
             length_in_pixels(frame.get('{%s}height' % ODF['svg'])))
    return picture(image.size, shown, flags,
                   alternative_text(frame.findtext('svg:title', '', ODF),
                                    frame.findtext('svg:desc', '', ODF)))


def describe_odt(path):
    with zipfile.ZipFile(path) as package:
        content = etree.fromstring(package.read('content.xml'))
        paragraphs = content.iterfind('office:body/office:text/text:p', ODF)
        return [line(odt_text(paragraph),
                     [odt_picture(package, frame) for frame in paragraph.iter('{%s}frame' % ODF['draw'])])
                for paragraph in paragraphs]


if __name__ == '__main__':
    print(json.dumps({'docx': describe_docx(sys.argv[1]), 'odt': describe_odt(sys.argv[2])}))
