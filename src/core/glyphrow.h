#pragma once

#include "core/glyphmatcher.h"

#include <QList>
#include <QString>
#include <QStringList>

class clsDatFile;

// One glyph of a converted row, with what a person needs to read it.
struct RowGlyph {
    QString letters;  // the letters of the text it stands for, as typed
    QString picture;  // the path of its picture
    QString sign;     // the sign's code (Gardiner's list), or empty
    QString signName; // what the sign shows, or empty
    QString unicode;  // the sign as Unicode text (one or more hieroglyphs), or empty
    QString reading;  // how the letters were read ("e" for "é", the number of a numeral), or empty
    bool wordStart = false; // a word separator comes before it

    // "sh: N37, pool"; just the letters when the alphabet says nothing more of the sign;
    // "é, read as e: M17, reed" for letters read otherwise than typed.
    QString label() const;
};

// A converted text as the window shows it and the outputs take it: the glyphs in order, the text
// that was left out after the last glyph fitted, and the characters that no entry matched.
class GlyphRow {
public:
    GlyphRow() = default;
    // alphabet is the table the index was built from (its sign columns: Alphabet::signColumns);
    // pictures holds one path per glyph, in order.
    GlyphRow(const clsDatFile& alphabet, const GlyphMatcher::Conversion& conversion, QString text,
             const QStringList& pictures);

    const QString& text() const { return m_text; }
    const QList<RowGlyph>& glyphs() const { return m_glyphs; }
    // The glyphs' Unicode text in row order; empty when the alphabet has no Unicode column.
    QString unicodeText() const;
    bool hasUnicodeColumn() const { return m_hasUnicodeColumn; }
    // Each glyph's label in the slot of its picture; slot 0 and the slots after the last glyph are
    // empty, and glyphs past the last slot are not in them.
    GlyphSlots labels() const;
    // Each glyph's picture in its slot, the same way: the window's glyph slot list.
    GlyphSlots glyphFiles() const;
    // The text after the last glyph that was never scanned because the glyphs ran out.
    QStringView leftOver() const { return QStringView(m_text).sliced(m_scanEnd); }
    // The characters no entry matched, each once, in the order they first appear; blanks between
    // words are not counted as left out.
    const QStringList& unmatched() const { return m_unmatched; }

    // One line that says what was left out, or empty when the whole text was used.
    QString leftOutNote() const;

private:
    GlyphSlots slotsOf(QString (*part)(const RowGlyph&)) const;

    QString m_text;
    QList<RowGlyph> m_glyphs;
    qsizetype m_scanEnd = 0;
    bool m_hasUnicodeColumn = false;
    QStringList m_unmatched;
};
