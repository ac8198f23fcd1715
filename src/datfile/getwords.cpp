#include "datfile/getwords.h"

#include "datfile/systemtext.h"
#include "platform/runtimeerror.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstring>
#include <type_traits>
#include <utility>

namespace {

constexpr qsizetype maxLineLength = 32765;
constexpr qsizetype maxFields = 80;

// A line is split the same way whether it is text (16-bit characters) or the bytes of a file in the
// system's code page: the characters that matter are ASCII, and in every code page a data file may
// use, their bytes are never part of another character.
template <typename Char> struct Marks {
    static constexpr Char blank = ' ';
    static constexpr Char quote = '"';
    static constexpr Char comma = ',';
    // The scan sees one LF after the last character; a lone LF inside the line acts the same way.
    static constexpr Char lineFeed = '\n';
};

void requireLineLength(qsizetype characters) {
    if (characters > maxLineLength)
        throw RuntimeError(ErrorNumber::Overflow,
                           QStringLiteral("a line of more than %1 characters").arg(maxLineLength));
}

// Unquoted fields make up most of a file, so their scan looks at eight bytes at a time while it
// can. A character is zero exactly when subtracting one borrows from its top bit where it had none;
// the lowest such top bit is always a true zero.
template <typename Char> class WordScan {
public:
    static constexpr qsizetype charsPerWord = sizeof(std::uint64_t) / sizeof(Char);

    // The top bit of every comma or LF of the word starting at from, and maybe of later characters.
    static std::uint64_t commasAndLineFeeds(const Char* from) {
        std::uint64_t word;
        std::memcpy(&word, from, sizeof word);
        return zeroChars(word ^ everyChar(Marks<Char>::comma)) |
               zeroChars(word ^ everyChar(Marks<Char>::lineFeed));
    }

    // The index in its word of the first character that found marks, where the first character
    // is the low end of the word.
    static qsizetype firstFound(std::uint64_t found) {
        return std::countr_zero(found) / (8 * static_cast<qsizetype>(sizeof(Char)));
    }

private:
    using Unit = std::make_unsigned_t<Char>;
    static constexpr std::uint64_t everyChar(Unit value) {
        constexpr std::uint64_t ones = ~std::uint64_t(0) / static_cast<Unit>(~Unit(0));
        return ones * value;
    }
    static constexpr std::uint64_t zeroChars(std::uint64_t word) {
        constexpr Unit topBit = static_cast<Unit>(Unit(1) << (8 * sizeof(Char) - 1));
        return (word - everyChar(1)) & ~word & everyChar(topBit);
    }
};

template <typename Char> const Char* nextCommaOrLineFeed(const Char* from, const Char* end) {
    using Scan = WordScan<Char>;
    for (; end - from >= Scan::charsPerWord; from += Scan::charsPerWord) {
        if (const std::uint64_t found = Scan::commasAndLineFeeds(from)) {
            if constexpr (std::endian::native == std::endian::little)
                return from + Scan::firstFound(found);
            else
                break;
        }
    }
    while (from != end && *from != Marks<Char>::comma && *from != Marks<Char>::lineFeed)
        ++from;
    return from;
}

const char* nextQuote(const char* from, const char* end) {
    const void* quote = std::memchr(from, Marks<char>::quote, static_cast<std::size_t>(end - from));
    return quote ? static_cast<const char*>(quote) : end;
}

const char16_t* nextQuote(const char16_t* from, const char16_t* end) {
    const qsizetype at = QStringView(from, end).indexOf(Marks<char16_t>::quote);
    return at < 0 ? end : from + at;
}

// The five states of the scan; Abandoned is final and means the line yields no fields.
enum class State { BetweenFields, Quoted, AfterQuote, Unquoted, Abandoned };

// Splits a line in its own buffer: a field is found where it stands, and a quoted field that drops
// quotes has its text moved up over them, so no field needs a buffer of its own.
template <typename Char> class LineSplitter {
    using M = Marks<Char>;

public:
    LineSplitter(Char* chars, qsizetype size)
        : m_chars(chars)
        , m_size(size) {}

    // Where the fields are; none when the line yields no fields.
    FieldRow::Spans split() {
        qsizetype pos = 0;
        while (pos <= m_size && m_state != State::Abandoned)
            pos = step(pos);
        if (m_state != State::BetweenFields)
            return {};
        return std::move(m_fields);
    }

private:
    // Handles the character at pos (the end marker at the line's end) and answers where to go on.
    // Inside a field the scan jumps straight to the next character that can end it.
    qsizetype step(qsizetype pos) {
        switch (m_state) {
        case State::BetweenFields:
            betweenFields(pos, charAt(pos));
            return pos + 1;
        case State::Quoted:
            return quoted(pos);
        case State::AfterQuote:
            afterQuote(pos, charAt(pos));
            return pos + 1;
        case State::Unquoted:
            return unquoted(pos);
        case State::Abandoned:
            break;
        }
        return pos + 1;
    }

    Char charAt(qsizetype pos) const { return pos < m_size ? m_chars[pos] : M::lineFeed; }

    qsizetype quoted(qsizetype pos) {
        const Char* const closing = nextQuote(m_chars + pos, m_chars + m_size);
        if (closing == m_chars + m_size)
            return m_size + 1; // the quote is never closed
        m_closingQuote = closing - m_chars;
        m_state = State::AfterQuote;
        return m_closingQuote + 1;
    }

    qsizetype unquoted(qsizetype pos) {
        const qsizetype at = nextCommaOrLineFeed<Char>(m_chars + pos, m_chars + m_size) - m_chars;
        storeField(m_fieldStart, at);
        return at + 1;
    }

    void betweenFields(qsizetype pos, Char ch) {
        if (ch == M::blank)
            return;
        if (ch == M::comma) {
            storeField(pos, pos);
        } else if (ch == M::quote) {
            m_fieldStart = m_pieceStart = m_fieldEnd = pos + 1;
            m_state = State::Quoted;
        } else {
            m_fieldStart = pos;
            m_state = State::Unquoted;
        }
    }

    void afterQuote(qsizetype pos, Char ch) {
        if (ch == M::blank)
            return;
        if (ch == M::quote) {
            // An escaped pair, or a quote after blanks: either way the field goes on without it.
            keepPiece(pos);
            m_pieceStart = pos + 1;
            m_state = State::Quoted;
        } else if (ch == M::comma || ch == M::lineFeed) {
            keepPiece(m_closingQuote);
            storeField(m_fieldStart, m_fieldEnd);
        } else {
            m_state = State::Abandoned;
        }
    }

    // Moves the quoted field's text from the current piece up to pieceEnd next to the text kept so
    // far, over the quotes that were dropped in between.
    void keepPiece(qsizetype pieceEnd) {
        if (m_fieldEnd != m_pieceStart)
            std::copy(m_chars + m_pieceStart, m_chars + pieceEnd, m_chars + m_fieldEnd);
        m_fieldEnd += pieceEnd - m_pieceStart;
    }

    // Stores the text from start to end, blanks at both edges removed.
    void storeField(qsizetype start, qsizetype end) {
        if (m_fields.size() == maxFields)
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                               QStringLiteral("more than %1 fields in a line").arg(maxFields));
        while (start < end && m_chars[start] == M::blank)
            ++start;
        while (end > start && m_chars[end - 1] == M::blank)
            --end;
        m_fields.append({static_cast<qint32>(start), static_cast<qint32>(end - start)});
        m_state = State::BetweenFields;
    }

    Char* m_chars; // the line, rewritten in place where quotes are dropped
    qsizetype m_size;
    State m_state = State::BetweenFields;
    qsizetype m_fieldStart = 0;   // first character of the current field
    qsizetype m_pieceStart = 0;   // a quoted field: first character not yet kept
    qsizetype m_fieldEnd = 0;     // a quoted field: end of the text kept so far
    qsizetype m_closingQuote = 0; // a quoted field: the quote that may close it
    FieldRow::Spans m_fields;
};

} // namespace

QStringList GetWords(QStringView pLine) {
    requireLineLength(pLine.size());
    QString line = pLine.toString();
    auto* chars = reinterpret_cast<char16_t*>(line.data());
    QStringList words{QString()};
    for (const FieldRow::Span& field : LineSplitter<char16_t>(chars, line.size()).split())
        words.append(line.sliced(field.start, field.size));
    return words;
}

FieldRow splitFields(QByteArray pLine) {
    // A character takes one to four bytes, so only a line between those bounds needs decoding to
    // be measured.
    constexpr qsizetype maxBytesPerCharacter = 4;
    if (pLine.size() > maxBytesPerCharacter * maxLineLength)
        requireLineLength(pLine.size());
    else if (pLine.size() > maxLineLength)
        requireLineLength(decodeSystemText(pLine).size());
    const FieldRow::Spans fields = LineSplitter<char>(pLine.data(), pLine.size()).split();
    return FieldRow(std::move(pLine), fields);
}
