#include "entrytrie.h"

#include "glyphmatcher.h"

#include <algorithm>
#include <utility>

namespace {

using UnitSet = std::bitset<0x10000>;

// The first unit of the lower case of the code point that begins with unit. A surrogate stands for
// itself: a lone one lowers to itself at the start of a piece, and the lower case of a pair keeps
// its high surrogate.
char16_t loweredFirstUnit(QChar unit) {
    return lowerCodePoint(unit.unicode()).units[0];
}

// The units that the lowered pieces of the text begin with.
UnitSet pieceStartsOf(QStringView text) {
    UnitSet starts;
    for (const QChar unit : text)
        starts.set(loweredFirstUnit(unit));
    return starts;
}

bool isAscii(const QString& entry) {
    return std::all_of(entry.begin(), entry.end(), [](QChar unit) { return unit < u'\x80'; });
}

// A plain ASCII entry, the usual case, lower-cased as QString::toLower does it, in the storage of
// the previous one rather than in a new string per entry.
QString lowerAscii(const QString& entry, QString storage) {
    storage.resize(entry.size());
    std::transform(entry.begin(), entry.end(), storage.begin(), loweredFirstUnit);
    return storage;
}

} // namespace

EntryTrie::EntryTrie(const QStringList& alphabet, QStringView text) {
    const UnitSet starts = pieceStartsOf(text);
    std::vector<qsizetype> candidates;
    for (qsizetype index = 1; index < alphabet.size(); ++index) {
        const QString& entry = alphabet[index];
        const bool mayMatch = !entry.isEmpty() && starts.test(loweredFirstUnit(entry.front()));
        if (mayMatch && GlyphMatcher::isUsableEntry(entry))
            candidates.push_back(index);
    }
    // Room for a few nodes per entry; when the entries share less, the trie starts over in a
    // larger table, as a node is its slot.
    clear(4 * static_cast<qsizetype>(candidates.size()));
    while (!tryInsertAll(alphabet, candidates))
        clear(2 * static_cast<qsizetype>(m_edges.size()));
}

bool EntryTrie::mayMatchAt(QStringView text, qsizetype position) const {
    return m_firstUnits.test(loweredFirstUnit(text[position]));
}

qsizetype EntryTrie::firstEnding(Node node, qsizetype pieceLength, bool pieceEndsText) const {
    qsizetype best = NoEntry;
    for (qsizetype i = m_endingHeads[node] - 1; i >= 0; i = m_endings[i].next) {
        const Ending& ending = m_endings[i];
        const bool compared = ending.storedLength == pieceLength ||
                              (pieceEndsText && ending.storedLength > pieceLength);
        if (compared)
            best = std::min(best, ending.entry);
    }
    return best;
}

void EntryTrie::clear(qsizetype slotCount) {
    int bits = 4;
    while ((qsizetype{1} << bits) < slotCount)
        ++bits;
    m_edges.assign(size_t{1} << bits, 0);
    m_endingHeads.assign(size_t{1} << bits, 0);
    m_endings.clear();
    m_firstUnits.reset();
    m_nodeCount = 0;
    m_slotMask = (qsizetype{1} << bits) - 1;
    m_slotShift = 64 - bits;
}

bool EntryTrie::tryInsertAll(const QStringList& alphabet,
                             const std::vector<qsizetype>& candidates) {
    QString storage;
    for (const qsizetype index : candidates) {
        const QString& entry = alphabet[index];
        storage = isAscii(entry) ? lowerAscii(entry, std::move(storage)) : entry.toLower();
        if (!tryInsert(storage, entry.size(), index))
            return false;
    }
    return true;
}

bool EntryTrie::tryInsert(QStringView lowered, qsizetype storedLength, qsizetype entry) {
    if (3 * (m_nodeCount + lowered.size()) > 2 * static_cast<qsizetype>(m_edges.size()))
        return false;
    m_firstUnits.set(lowered.front().unicode());
    Node node = Root;
    for (const QChar unit : lowered)
        node = childOrNew(node, unit.unicode());
    addEnding(node, storedLength, entry);
    return true;
}

EntryTrie::Node EntryTrie::childOrNew(Node node, char16_t unit) {
    const quint64 key = keyOf(node, unit);
    const qsizetype slot = findSlot(key);
    if (m_edges[slot] == 0) {
        m_edges[slot] = key;
        ++m_nodeCount;
    }
    return slot;
}

void EntryTrie::addEnding(Node node, qsizetype storedLength, qsizetype entry) {
    qsizetype& head = m_endingHeads[node];
    for (qsizetype i = head - 1; i >= 0; i = m_endings[i].next) {
        if (m_endings[i].storedLength == storedLength)
            return; // entries come in table order: the earlier one of that length always wins
    }
    m_endings.push_back({storedLength, entry, head - 1});
    head = static_cast<qsizetype>(m_endings.size());
    m_edges[node] |= EndsHere;
}
