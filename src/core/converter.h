#pragma once

#include "core/alphabet.h"
#include "core/glyphrow.h"
#include "core/soundspelling.h"
#include "core/textreading.h"

#include <limits>
#include <memory>
#include <QString>

// English text into a row of glyphs by the matching rule (GlyphMatcher), what it drops read as
// TextReading reads it, with the pictures and the signs of one alphabet: what the window, the
// command line, the documents and the tools convert with.
class Converter {
public:
    // As many glyphs as the text spells, for a document.
    static constexpr qsizetype WholeText = std::numeric_limits<qsizetype>::max();

    explicit Converter(Alphabet alphabet, ReadingOptions options = {})
        : m_alphabet(std::move(alphabet))
        , m_options(options) {}

    const Alphabet& alphabet() const { return m_alphabet; }
    void setOptions(ReadingOptions options) { m_options = options; }
    // Spelling by sound with these rules; none spells the letters as typed.
    void setSoundSpelling(std::shared_ptr<const SoundSpelling> rules) {
        m_sound = std::move(rules);
    }

    // The row of text, of at most limit glyphs: the window shows ten, a document the whole text.
    GlyphRow row(const QString& text, qsizetype limit = GlyphMatcher::MaxGlyphs) const;

private:
    Alphabet m_alphabet;
    ReadingOptions m_options;
    std::shared_ptr<const SoundSpelling> m_sound;
};
