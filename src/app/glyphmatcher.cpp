#include "glyphmatcher.h"

#include "entrytrie.h"
#include "piecelowering.h"

#include <algorithm>

namespace {

bool isSeparator(QChar unit) {
#ifdef Q_OS_WIN
    return unit == u'/' || unit == u'\\';
#else
    return unit == u'/';
#endif
}

bool startsWithDrive([[maybe_unused]] QStringView entry) {
#ifdef Q_OS_WIN
    if (entry.size() < 2 || entry[1] != u':')
        return false;
    const char16_t letter = entry[0].unicode();
    return (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
#else
    return false;
#endif
}

// Whether the picture, the entry with ".gif" behind it, would lie outside the images folder once
// its path is cleaned: an absolute path, a drive, or a ".." that climbs above the folder. The last
// step ends in ".gif", so it is never "..". One loop instead of a search per pattern: the alphabet
// may hold tens of thousands of entries.
bool leavesFolder(QStringView entry) {
    if (isSeparator(entry.front()) || startsWithDrive(entry))
        return true;
    qsizetype depth = 0;
    qsizetype stepStart = 0;
    for (qsizetype i = 0; i < entry.size(); ++i) {
        if (!isSeparator(entry[i]))
            continue;
        const QStringView step = entry.sliced(stepStart, i - stepStart);
        if (step == u"..") {
            if (--depth < 0)
                return true;
        } else if (!step.isEmpty() && step != u".") {
            ++depth;
        }
        stepStart = i + 1;
    }
    return false;
}

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

} // namespace

namespace GlyphMatcher {

bool isUsableEntry(QStringView entry) {
    return !entry.isEmpty() && !leavesFolder(entry);
}

QList<qsizetype> matchGlyphs(const QStringList& alphabet, QStringView text) {
    const EntryTrie trie(alphabet, text);
    QList<qsizetype> glyphs;
    qsizetype position = 0;
    while (position < text.size() && glyphs.size() < MaxGlyphs) {
        const qsizetype entry = trie.mayMatchAt(text, position)
                                    ? PositionMatch(trie, text, position).firstEntry()
                                    : EntryTrie::NoEntry;
        if (entry == EntryTrie::NoEntry) {
            ++position; // the character is dropped
            continue;
        }
        glyphs.append(entry);
        position += alphabet[entry].size();
    }
    return glyphs;
}

QStringList glyphFiles(const QStringList& alphabet, QStringView text, const QString& imagesFolder) {
    QStringList slots(MaxGlyphs + 1);
    qsizetype slot = 0;
    for (const qsizetype entry : matchGlyphs(alphabet, text))
        slots[++slot] = imagesFolder + alphabet[entry] + QStringLiteral(".gif");
    return slots;
}

} // namespace GlyphMatcher
