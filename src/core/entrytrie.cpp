#include "core/entrytrie.h"

#include "core/usableentry.h"

#include <algorithm>
#include <deque>
#include <iterator>
#include <string>
#include <string_view>

namespace {

// The first unit of the lower case of the code point that begins with unit. A surrogate stands for
// itself: a lone one lowers to itself at the start of a piece, and the lower case of a pair keeps
// its high surrogate.
char16_t loweredFirstUnit(QChar unit) {
    return lowerCodePoint(unit.unicode()).units[0];
}

bool isAscii(const QString& entry) {
    return std::all_of(entry.begin(), entry.end(), [](QChar unit) { return unit < u'\x80'; });
}

// Appends the lower case of an entry, as QString::toLower gives it; a plain ASCII entry, the usual
// case, without the machinery that a string of any script needs.
void appendLowered(const QString& entry, std::u16string& lowered) {
    if (isAscii(entry)) {
        std::transform(entry.begin(), entry.end(), std::back_inserter(lowered), loweredFirstUnit);
    } else {
        const QString text = entry.toLower();
        lowered.append(QStringView(text).utf16(), static_cast<std::size_t>(text.size()));
    }
}

struct LoweredEntry {
    std::u16string_view text;
    qsizetype storedLength;
    qsizetype entry;
};

} // namespace

// Lays the trie out breadth first from the lowered entries in sorted order: a node is the range of
// entries that share its text as a prefix, and its children split that range by the next unit.
class EntryTrie::Builder {
public:
    Builder(EntryTrie& trie, std::vector<LoweredEntry> entries)
        : m_trie(trie)
        , m_entries(std::move(entries)) {
        std::sort(m_entries.begin(), m_entries.end(),
                  [](const auto& a, const auto& b) { return a.text < b.text; });
    }

    void build() {
        m_trie.m_nodes.emplace_back();
        m_trie.m_units.push_back(0);
        m_pending.push_back({0, qsizetype(m_entries.size()), 0});
        for (Node node = 0; !m_pending.empty(); ++node) {
            const Range range = m_pending.front();
            m_pending.pop_front();
            addNode(node, range);
        }
    }

private:
    struct Range {
        qsizetype begin, end, depth;
    };

    // The entries that end at the node come first in its range: a prefix sorts first.
    void addNode(Node node, Range range) {
        qsizetype i = range.begin;
        NodeData& data = m_trie.m_nodes[node];
        data.firstEnding = static_cast<qint32>(m_trie.m_endings.size());
        for (; i < range.end && static_cast<qsizetype>(m_entries[i].text.size()) == range.depth;
             ++i)
            addEnding(data.firstEnding, m_entries[i]);
        data.endingCount = static_cast<qint32>(m_trie.m_endings.size()) - data.firstEnding;
        data.firstChild = static_cast<Node>(m_trie.m_nodes.size());
        while (i < range.end) {
            const char16_t unit = m_entries[i].text[range.depth];
            const qsizetype begin = i;
            while (i < range.end && m_entries[i].text[range.depth] == unit)
                ++i;
            m_pending.push_back({begin, i, range.depth + 1});
            m_trie.m_units.push_back(unit);
            if (data.childCount++ == 0)
                data.lowestUnit = unit;
            data.highestUnit = unit;
        }
        m_trie.m_nodes.resize(m_trie.m_nodes.size() + data.childCount);
    }

    // Of several entries with the same lowered text and stored length, the earliest always wins.
    void addEnding(qint32 firstEnding, const LoweredEntry& entry) {
        const auto begin = m_trie.m_endings.begin() + firstEnding;
        const auto same = std::find_if(begin, m_trie.m_endings.end(), [&entry](const Ending& e) {
            return e.storedLength == entry.storedLength;
        });
        if (same == m_trie.m_endings.end())
            m_trie.m_endings.push_back({entry.storedLength, entry.entry});
        else
            same->entry = std::min(same->entry, entry.entry);
    }

    EntryTrie& m_trie;
    std::vector<LoweredEntry> m_entries;
    std::deque<Range> m_pending;
};

EntryTrie::EntryTrie(const QStringList& alphabet) {
    // Every lowered entry in one buffer, found again by its offset once the buffer is complete.
    std::u16string lowered;
    std::vector<std::pair<qsizetype, qsizetype>> usable; // alphabet index, offset
    for (qsizetype index = 1; index < alphabet.size(); ++index) {
        if (GlyphMatcher::isUsableEntry(alphabet[index])) {
            usable.emplace_back(index, static_cast<qsizetype>(lowered.size()));
            appendLowered(alphabet[index], lowered);
        }
    }
    usable.emplace_back(0, static_cast<qsizetype>(lowered.size()));
    std::vector<LoweredEntry> entries;
    entries.reserve(usable.size());
    for (std::size_t i = 0; i + 1 < usable.size(); ++i) {
        const auto [index, offset] = usable[i];
        const std::u16string_view text(lowered.data() + offset,
                                       static_cast<std::size_t>(usable[i + 1].second - offset));
        entries.push_back({text, alphabet[index].size(), index});
        m_firstUnits.set(text.front());
    }
    Builder(*this, std::move(entries)).build();
}

EntryTrie::Node EntryTrie::sparseChild(const NodeData& data, char16_t unit) const {
    const char16_t* const first = m_units.data() + data.firstChild;
    const char16_t* const last = first + data.childCount;
    const char16_t* const found =
        data.childCount <= 16 ? std::find(first, last, unit) : std::lower_bound(first, last, unit);
    return found != last && *found == unit ? data.firstChild + Node(found - first) : Missing;
}

qsizetype EntryTrie::firstEnding(const NodeData& data, qsizetype pieceLength,
                                 bool pieceEndsText) const {
    qsizetype best = NoEntry;
    for (qint32 i = data.firstEnding; i < data.firstEnding + data.endingCount; ++i) {
        const Ending& ending = m_endings[i];
        const bool compared = ending.storedLength == pieceLength ||
                              (pieceEndsText && ending.storedLength > pieceLength);
        if (compared)
            best = std::min(best, ending.entry);
    }
    return best;
}
