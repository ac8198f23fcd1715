#pragma once

#include "core/entrytrie.h"

#include <optional>
#include <QStringList>

// An alphabet (column 0 of the alphabet table) with the index that matching walks. Building the
// index is the costly part of a conversion, so it is built once per alphabet, not once per text.
class AlphabetIndex {
public:
    explicit AlphabetIndex(QStringList alphabet)
        : m_alphabet(std::move(alphabet))
        , m_trie(m_alphabet) {}

    const QStringList& alphabet() const { return m_alphabet; }
    const EntryTrie& trie() const { return m_trie; }

private:
    QStringList m_alphabet;
    EntryTrie m_trie;
};

// The index of the alphabet last asked for, built again only when the alphabet differs from it.
class CachedAlphabetIndex {
public:
    const AlphabetIndex& of(const QStringList& alphabet) {
        if (!m_index || m_index->alphabet() != alphabet)
            m_index.emplace(alphabet);
        return *m_index;
    }

private:
    std::optional<AlphabetIndex> m_index;
};
