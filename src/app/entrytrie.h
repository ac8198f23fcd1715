#pragma once

#include "piecelowering.h"

#include <bitset>
#include <limits>
#include <QStringList>
#include <vector>

// The alphabet entries that can match somewhere in one text, lower-cased, as a trie over UTF-16
// code units, so one walk along the lowered text at a position meets every entry that can match
// there. Entries whose first letter begins no piece of the text are left out: with a large alphabet
// and a short text that is most of them.
class EntryTrie {
public:
    // A node is the number of the table slot that holds the edge into it.
    using Node = qsizetype;
    static constexpr Node Root = -1;
    static constexpr Node Missing = -2;
    static constexpr qsizetype NoEntry = std::numeric_limits<qsizetype>::max();

    // Row 0 of the alphabet is its header and never an entry.
    EntryTrie(const QStringList& alphabet, QStringView text);

    // False when no entry can match at the position: one bit test turns most positions away.
    bool mayMatchAt(QStringView text, qsizetype position) const;

    // The node below node along one unit, or Missing.
    Node child(Node node, char16_t unit) const {
        const qsizetype slot = findSlot(keyOf(node, unit));
        return m_edges[slot] == 0 ? Missing : slot;
    }
    // The node below node along the units of a lowered code point, or Missing.
    Node child(Node node, const LoweredUnits& lowered) const {
        for (qsizetype i = 0; i < lowered.size && node != Missing; ++i)
            node = child(node, lowered.units[i]);
        return node;
    }

    // The smallest alphabet index whose lowered entry is the text of node and that a piece of
    // pieceLength code units is compared with: an entry of that stored length, or, when the piece
    // is cut short by the end of the text, of that length or longer. NoEntry if there is none.
    qsizetype entryEndingAt(Node node, qsizetype pieceLength, bool pieceEndsText) const {
        const bool endsHere = node != Root && (m_edges[node] & EndsHere) != 0;
        return endsHere ? firstEnding(node, pieceLength, pieceEndsText) : NoEntry;
    }

private:
    struct Ending {
        qsizetype storedLength;
        qsizetype entry;
        qsizetype next;
    };
    // Marks an edge into a node where some entry ends, so a walk reads the endings only there.
    static constexpr quint64 EndsHere = quint64{1} << 63;

    static quint64 keyOf(Node parent, char16_t unit) {
        // Never 0, which marks a free slot.
        return static_cast<quint64>(parent + 2) << 16 | unit;
    }
    // The slot that holds the key, or the free slot where it belongs. The table is never more than
    // two thirds full, so the search ends soon.
    qsizetype findSlot(quint64 key) const {
        auto slot = static_cast<qsizetype>((key * 0x9E3779B97F4A7C15ULL) >> m_slotShift);
        while (m_edges[slot] != 0 && (m_edges[slot] & ~EndsHere) != key)
            slot = (slot + 1) & m_slotMask;
        return slot;
    }

    qsizetype firstEnding(Node node, qsizetype pieceLength, bool pieceEndsText) const;
    void clear(qsizetype slotCount);
    bool tryInsertAll(const QStringList& alphabet, const std::vector<qsizetype>& candidates);
    bool tryInsert(QStringView lowered, qsizetype storedLength, qsizetype entry);
    Node childOrNew(Node node, char16_t unit);
    void addEnding(Node node, qsizetype storedLength, qsizetype entry);

    // The edges of the trie, each the key of its parent and unit, in one open-addressing table.
    std::vector<quint64> m_edges;
    qsizetype m_slotMask = 0;
    int m_slotShift = 64;
    qsizetype m_nodeCount = 0;
    // Per node: 1 + the index of its latest ending in m_endings, or 0.
    std::vector<qsizetype> m_endingHeads;
    std::vector<Ending> m_endings;
    std::bitset<0x10000> m_firstUnits;
};
