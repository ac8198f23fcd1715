#include "getwords.h"

#include "runtimeerror.h"

#include <algorithm>

namespace {

constexpr qsizetype maxLineLength = 32765;
constexpr qsizetype maxFields = 80;

constexpr QChar blank = u' ';
constexpr QChar quote = u'"';
constexpr QChar comma = u',';
// The scan sees one LF after the last character; a lone LF inside the line acts the same way.
constexpr QChar lineFeed = u'\n';

QStringView trimBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == blank)
        ++first;
    while (last > first && text[last - 1] == blank)
        --last;
    return text.sliced(first, last - first);
}

// The five states of the scan; Abandoned is final and means the line yields no fields.
enum class State { BetweenFields, Quoted, AfterQuote, Unquoted, Abandoned };

class LineSplitter {
public:
    explicit LineSplitter(QStringView line)
        : m_line(line) {}

    QStringList split() {
        if (m_line.size() > maxLineLength)
            throw RuntimeError(ErrorNumber::Overflow);
        qsizetype pos = 0;
        while (pos <= m_line.size() && m_state != State::Abandoned)
            pos = step(pos);
        if (m_state != State::BetweenFields)
            return {QString()};
        return m_fields;
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

    QChar charAt(qsizetype pos) const { return pos < m_line.size() ? m_line[pos] : lineFeed; }

    qsizetype quoted(qsizetype pos) {
        const qsizetype closing = m_line.indexOf(quote, pos);
        if (closing < 0)
            return m_line.size() + 1; // the quote is never closed
        m_closingQuote = closing;
        m_state = State::AfterQuote;
        return closing + 1;
    }

    qsizetype unquoted(qsizetype pos) {
        const auto terminator = std::find_if(m_line.begin() + pos, m_line.end(), [](QChar ch) {
            return ch == comma || ch == lineFeed;
        });
        const qsizetype end = terminator - m_line.begin();
        storeField(m_line.sliced(m_fieldStart, end - m_fieldStart));
        return end + 1;
    }

    void betweenFields(qsizetype pos, QChar ch) {
        if (ch == blank)
            return;
        if (ch == comma) {
            storeField({});
        } else if (ch == quote) {
            m_fieldStart = pos + 1;
            m_state = State::Quoted;
        } else {
            m_fieldStart = pos;
            m_state = State::Unquoted;
        }
    }

    void afterQuote(qsizetype pos, QChar ch) {
        if (ch == blank)
            return;
        if (ch == quote) {
            // An escaped pair, or a quote after blanks: either way the field goes on without it.
            m_pieces += m_line.sliced(m_fieldStart, pos - m_fieldStart);
            m_fieldStart = pos + 1;
            m_state = State::Quoted;
        } else if (ch == comma || ch == lineFeed) {
            storeQuotedField();
        } else {
            m_state = State::Abandoned;
        }
    }

    void storeQuotedField() {
        const QStringView tail = m_line.sliced(m_fieldStart, m_closingQuote - m_fieldStart);
        if (m_pieces.isEmpty()) {
            storeField(tail);
            return;
        }
        m_pieces += tail;
        storeField(m_pieces);
        m_pieces.clear();
    }

    void storeField(QStringView text) {
        if (m_fields.size() > maxFields)
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange,
                               QStringLiteral("more than %1 fields in a line").arg(maxFields));
        m_fields.append(trimBlanks(text).toString());
        m_state = State::BetweenFields;
    }

    QStringView m_line;
    State m_state = State::BetweenFields;
    qsizetype m_fieldStart = 0; // first character of the current field (or of its unread rest)
    qsizetype m_closingQuote = 0;
    QString m_pieces; // a quoted field's text before its last dropped quote
    QStringList m_fields{QString()};
};

} // namespace

QStringList GetWords(QStringView pLine) {
    return LineSplitter(pLine).split();
}
