#pragma once

#include <initializer_list>
#include <QString>
#include <QStringList>
#include <random>

// Random texts and alphabets for comparing the fast matcher with the plain scan, built from pieces
// that stress case mapping: mixed case, Latin-1, Greek sigmas, Turkish dotted and dotless i, German
// sharp s, ligatures, a combining mark, Deseret letters outside the BMP, unpaired surrogates,
// U+FFFD, and characters that make an entry unusable.
class RandomText {
public:
    explicit RandomText(unsigned seed)
        : m_engine(seed) {}

    // Up to maxPieces pieces of one or two code units each.
    QString text(int maxPieces);
    // A header row, then entries: random ones, empty ones, and pieces of the text in another case,
    // so that many of them match.
    QStringList alphabet(const QString& text, int maxEntries);

private:
    int below(int bound) { return static_cast<int>(m_engine() % static_cast<unsigned>(bound)); }
    QString sliceOf(const QString& text);
    QString entry(const QString& text);

    std::mt19937 m_engine;
};

// A text from its code units, unpaired surrogates included, which string literals cannot hold.
QString fromUnits(std::initializer_list<char16_t> codeUnits);

// The code units of a text as "U+0041 U+D801 ...", for failure messages.
QString describeUnits(const QString& text);
