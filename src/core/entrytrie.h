#pragma once

#include "core/piecelowering.h"

#include <bitset>
#include <limits>
#include <QStringList>
#include <vector>

// The usable alphabet entries, lower-cased, as a trie over UTF-16 code units, so one walk along the
// lowered text at a position meets every entry that can match there. Built once per alphabet.
//
// The nodes are numbered breadth first and the children of a node are consecutive nodes sorted by
// their unit: the levels near the root, which every walk passes, lie close together in memory, and
// a child is found by a short scan of neighbouring units.
class EntryTrie {
public:
    using Node = qint32;
    static constexpr Node Root = 0;
    static constexpr Node Missing = -1;
    static constexpr qsizetype NoEntry = std::numeric_limits<qsizetype>::max();

    // Row 0 of the alphabet is its header and never an entry.
    explicit EntryTrie(const QStringList& alphabet);

    // False when no entry can match at the position: one bit test turns most positions away. A
    // surrogate stands for itself: a lone one lowers to itself at the start of a piece, and the
    // lower case of a pair keeps its high surrogate.
    bool mayMatchAt(QStringView text, qsizetype position) const {
        return m_firstUnits.test(lowerCodePoint(text[position].unicode()).units[0]);
    }

    // The node below node along one unit, or Missing.
    Node child(Node node, char16_t unit) const {
        const NodeData& data = m_nodes[node];
        if (unit < data.lowestUnit || unit > data.highestUnit)
            return Missing;
        if (data.highestUnit - data.lowestUnit + 1 == data.childCount)
            return data.firstChild + (unit - data.lowestUnit); // every unit between has a child
        return sparseChild(data, unit);
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
        const NodeData& data = m_nodes[node];
        return data.endingCount == 0 ? NoEntry : firstEnding(data, pieceLength, pieceEndsText);
    }

private:
    struct Ending {
        qsizetype storedLength;
        qsizetype entry;
    };
    struct NodeData {
        Node firstChild = 0;
        qint32 childCount = 0;
        qint32 firstEnding = 0;
        qint32 endingCount = 0;
        // The units of the edges to the children; a node without children has none between.
        char16_t lowestUnit = 1;
        char16_t highestUnit = 0;
    };
    class Builder;

    Node sparseChild(const NodeData& data, char16_t unit) const;
    qsizetype firstEnding(const NodeData& data, qsizetype pieceLength, bool pieceEndsText) const;

    std::vector<NodeData> m_nodes;
    std::vector<char16_t> m_units; // per node, the unit of the edge into it
    std::vector<Ending> m_endings;
    std::bitset<0x10000> m_firstUnits;
};
