#pragma once

#include "core/glyphrow.h"

#include <QByteArray>
#include <QString>

class QXmlStreamWriter;

// The HTML of a row's glyphs, one writer for the clipboard's HTML and the HTML document: each
// glyph an image that needs no file beside it (its picture inline as a data URI).
namespace RowHtml {

QString dataUri(const QByteArray& bytes, const QString& mimeType);

// <img src="..." alt="..." title="...">
void writeGlyph(QXmlStreamWriter& xml, const QString& source, const QString& alt,
                const QString& title);

// What Copy offers as HTML: the glyphs' own pictures in a paragraph, each with its letters as the
// alternative text and its label as the title (its letters alone where the picture cannot be
// read), then the Unicode text in a paragraph of its own where the alphabet has it.
QString clipboardHtml(const GlyphRow& row);

} // namespace RowHtml
