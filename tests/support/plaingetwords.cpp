#include "plaingetwords.h"

#include "platform/runtimeerror.h"

namespace {

enum class State { BetweenFields, Quoted, AfterQuote, Unquoted, Abandoned };

QStringView trimmedBlanks(QStringView text) {
    qsizetype first = 0;
    qsizetype last = text.size();
    while (first < last && text[first] == u' ')
        ++first;
    while (last > first && text[last - 1] == u' ')
        --last;
    return text.sliced(first, last - first);
}

class PlainSplitter {
public:
    QStringList split(QStringView line) {
        if (line.size() > 32765)
            throw RuntimeError(ErrorNumber::Overflow);
        for (const QChar ch : line.toString() + u'\n') {
            take(ch);
            if (m_state == State::Abandoned)
                break;
        }
        return m_state == State::BetweenFields ? m_fields : QStringList{QString()};
    }

private:
    void take(QChar ch) {
        switch (m_state) {
        case State::BetweenFields:
            if (ch == u'"')
                start(State::Quoted);
            else if (ch == u',')
                store({});
            else if (ch != u' ')
                startUnquoted(ch);
            break;
        case State::Quoted:
            if (ch == u'"')
                m_state = State::AfterQuote;
            else
                m_text += ch;
            break;
        case State::AfterQuote:
            afterQuote(ch);
            break;
        case State::Unquoted:
            if (ch == u',' || ch == u'\n')
                store(m_text);
            else
                m_text += ch;
            break;
        case State::Abandoned:
            break;
        }
    }

    // The closing quote candidate is not in m_text yet; the blanks seen since are in m_blanks.
    void afterQuote(QChar ch) {
        if (ch == u' ') {
            m_blanks += ch;
        } else if (ch == u'"') {
            m_text += u'"';
            m_text += m_blanks;
            m_blanks.resize(0);
            m_state = State::Quoted;
        } else if (ch == u',' || ch == u'\n') {
            store(m_text);
        } else {
            m_state = State::Abandoned;
        }
    }

    // The text and blanks keep their buffers from field to field; each stored field is a copy.
    void start(State state) {
        m_state = state;
        m_text.resize(0);
        m_blanks.resize(0);
    }

    void startUnquoted(QChar first) {
        start(State::Unquoted);
        m_text += first;
    }

    void store(QStringView text) {
        if (m_fields.size() == 81)
            throw RuntimeError(ErrorNumber::SubscriptOutOfRange);
        m_fields.append(trimmedBlanks(text).toString());
        m_state = State::BetweenFields;
    }

    State m_state = State::BetweenFields;
    QString m_text;
    QString m_blanks;
    QStringList m_fields{QString()};
};

} // namespace

QStringList plainGetWords(QStringView line) {
    return PlainSplitter().split(line);
}
