#pragma once

#include <QByteArray>
#include <QList>

// Qt's PDF writer maps a font's glyphs back to characters only within the Basic Multilingual Plane,
// so hieroglyphs (U+13000 onwards) in a PDF it wrote are neither found nor copied by a reader. This
// completes the ToUnicode map of the named font from the characters drawn in it, in the order they
// were first drawn, which is the order in which the writer numbers the glyphs of its font subset.
// The font and its map are found through the PDF's structure only, so no text in the document
// can choose what is changed; the new map is appended as an incremental update, leaving every
// byte written before as it is. The PDF is returned unchanged when the font is not in it (once)
// or its glyphs do not match the characters one for one. Throws RuntimeError 51 when the PDF's
// structure is not as expected.
QByteArray withUnicodeMap(const QByteArray& pdf, const QByteArray& baseFont,
                          const QList<char32_t>& firstDrawn);
