#include "core/glyphmatcher.h"

#include "core/piecelowering.h"

#include <algorithm>
#include <optional>

namespace {

// The entry that trying the alphabet in table order would take at one position of the text: the
// trie is walked along the lowered pieces that start there, longer and longer, and every entry met
// on the way whose stored length makes it compare with that piece is a candidate; the first wins.
class PositionMatch {
public:
    PositionMatch(const EntryTrie& trie, QStringView text, qsizetype position)
        : m_trie(trie)
        , m_text(text)
        , m_position(position) {}

    qsizetype firstEntry();

private:
    void considerPiecesEndingHere(EntryTrie::Node node, const PieceLowering& lowering);
    void consider(EntryTrie::Node node, qsizetype pieceLength);

    const EntryTrie& m_trie;
    QStringView m_text;
    qsizetype m_position;
    qsizetype m_best = EntryTrie::NoEntry;
};

qsizetype PositionMatch::firstEntry() {
    PieceLowering lowering(m_text, m_position);
    EntryTrie::Node node = EntryTrie::Root;
    while (node != EntryTrie::Missing) {
        if (lowering.atPieceEnd())
            considerPiecesEndingHere(node, lowering);
        if (lowering.atTextEnd())
            break;
        node = m_trie.child(node, lowering.next());
    }
    return m_best;
}

void PositionMatch::considerPiecesEndingHere(EntryTrie::Node node, const PieceLowering& lowering) {
    qsizetype length = lowering.consumed();
    consider(node, length);
    for (const QChar high : lowering.highSurrogatesAhead()) {
        node = m_trie.child(node, high.unicode());
        if (node == EntryTrie::Missing)
            return;
        consider(node, ++length);
    }
}

void PositionMatch::consider(EntryTrie::Node node, qsizetype pieceLength) {
    const bool endsText = m_position + pieceLength == m_text.size();
    m_best = std::min(m_best, m_trie.entryEndingAt(node, pieceLength, endsText));
}

// A text of plain ASCII, the usual case, lowers unit by unit, so every piece of it lowers to a
// slice of the lowered text: one lower-casing pass serves every position. Empty for any other text.
std::optional<QString> loweredAscii(QStringView text) {
    QString lowered(text.size(), Qt::Uninitialized);
    QChar* out = lowered.data(); // one detach check for the whole text
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t unit = text[i].unicode();
        if (unit >= 0x80)
            return std::nullopt;
        out[i] = QChar(lowerCodePoint(unit).units[0]);
    }
    return lowered;
}

// PositionMatch for a text whose lowered pieces are slices of loweredText.
qsizetype firstEntryInAscii(const EntryTrie& trie, QStringView loweredText, qsizetype position) {
    qsizetype best = EntryTrie::NoEntry;
    EntryTrie::Node node = EntryTrie::Root;
    for (qsizetype end = position; end < loweredText.size();) {
        node = trie.child(node, loweredText[end].unicode());
        if (node == EntryTrie::Missing)
            break;
        ++end;
        best = std::min(best, trie.entryEndingAt(node, end - position, end == loweredText.size()));
    }
    return best;
}

// The dropped code units, gathered into runs of neighbours.
class DroppedRuns {
public:
    void drop(qsizetype position) {
        if (m_start < 0)
            m_start = position;
        m_end = position + 1;
    }
    // A glyph, or the end of the scan, ends the run being gathered.
    void endRun(QList<GlyphMatcher::Conversion::Run>& runs) {
        if (m_start >= 0)
            runs.append({m_start, m_end - m_start});
        m_start = -1;
    }

private:
    qsizetype m_start = -1;
    qsizetype m_end = 0;
};

} // namespace

namespace GlyphMatcher {

Conversion convert(const AlphabetIndex& index, QStringView text, qsizetype maxGlyphs,
                   const Fallback* fallback) {
    const EntryTrie& trie = index.trie();
    const std::optional<QString> ascii = loweredAscii(text);
    Conversion result;
    DroppedRuns dropped;
    bool wordStart = false;
    qsizetype position = 0;
    while (position < text.size() && result.glyphs.size() < maxGlyphs) {
        qsizetype entry = EntryTrie::NoEntry;
        if (trie.mayMatchAt(text, position)) {
            entry = ascii ? firstEntryInAscii(trie, *ascii, position)
                          : PositionMatch(trie, text, position).firstEntry();
        }
        if (entry != EntryTrie::NoEntry) {
            dropped.endRun(result.unmatched);
            const qsizetype length =
                std::min(index.alphabet()[entry].size(), text.size() - position);
            result.glyphs.append({entry, position, length, {}, 0, wordStart});
            wordStart = false;
            position += length;
            continue;
        }
        const qsizetype before = result.glyphs.size();
        const Fallback::Reading reading =
            fallback ? fallback->read(text, position, result.glyphs) : Fallback::Reading{};
        if (reading.length == 0 || reading.missing) {
            for (qsizetype k = 0; k < std::max<qsizetype>(reading.length, 1); ++k)
                dropped.drop(position++);
            continue;
        }
        dropped.endRun(result.unmatched);
        // A reading of several signs that do not all fit: those that fit are kept, and the text
        // they read counts as left over.
        if (result.glyphs.size() > maxGlyphs) {
            result.glyphs.resize(maxGlyphs);
            break;
        }
        if (result.glyphs.size() > before) {
            result.glyphs[before].wordStart = wordStart;
            wordStart = false;
        }
        wordStart = wordStart || (reading.separator && !result.glyphs.isEmpty());
        position += reading.length;
    }
    dropped.endRun(result.unmatched);
    result.scanEnd = position;
    return result;
}

bool matchesAt(const AlphabetIndex& index, QStringView text, qsizetype position) {
    return index.trie().mayMatchAt(text, position) &&
           PositionMatch(index.trie(), text, position).firstEntry() != EntryTrie::NoEntry;
}

QList<qsizetype> matchGlyphs(const AlphabetIndex& index, QStringView text) {
    QList<qsizetype> entries;
    for (const Conversion::Glyph& glyph : convert(index, text).glyphs)
        entries.append(glyph.entry);
    return entries;
}

QList<qsizetype> matchGlyphs(const QStringList& alphabet, QStringView text) {
    return matchGlyphs(AlphabetIndex(alphabet), text);
}

} // namespace GlyphMatcher
