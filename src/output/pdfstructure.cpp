#include "output/pdfstructure.h"

#include "platform/runtimeerror.h"

#include <QSet>

namespace {

// Far deeper than any dictionary a writer makes; a bound keeps the reader's stack small.
constexpr int maxNesting = 64;

[[noreturn]] void malformed(const QString& what) {
    throw RuntimeError(ErrorNumber::InternalError, QStringLiteral("PDF structure: %1").arg(what));
}

bool isSpace(char c) {
    return c == '\0' || c == '\t' || c == '\n' || c == '\f' || c == '\r' || c == ' ';
}

bool isDelimiter(char c) {
    return c == '(' || c == ')' || c == '<' || c == '>' || c == '[' || c == ']' || c == '{' ||
           c == '}' || c == '/' || c == '%';
}

bool isInteger(const QByteArray& token) {
    bool ok = false;
    token.toLongLong(&ok);
    return ok && !token.isEmpty() && token.front() != '+' && token.front() != '-';
}

// Reads PDF values one token at a time from a position.
class Scanner {
public:
    Scanner(const QByteArray& bytes, qsizetype at)
        : m_bytes(bytes)
        , m_at(at) {}

    qsizetype at() const { return m_at; }
    void advance(qsizetype bytes) { m_at += bytes; }
    bool atEnd() const { return m_at >= m_bytes.size(); }

    void skipSpace() {
        while (!atEnd()) {
            if (peek() == '%') {
                while (!atEnd() && peek() != '\n' && peek() != '\r')
                    ++m_at;
            } else if (isSpace(peek())) {
                ++m_at;
            } else {
                return;
            }
        }
    }

    // A run of regular characters: a number, a keyword or (after its slash) a name.
    QByteArray word() {
        skipSpace();
        return run();
    }

    void expect(const QByteArray& keyword, const QString& where) {
        if (word() != keyword)
            malformed(QStringLiteral("no \"%1\" %2").arg(QString::fromLatin1(keyword), where));
    }

    bool startsWith(const char* text) {
        skipSpace();
        return !atEnd() && QByteArrayView(m_bytes).sliced(m_at).startsWith(text);
    }

    // One whole value, as written.
    QByteArray value(int depth = 0) {
        if (depth > maxNesting)
            malformed(QStringLiteral("values nested too deep"));
        skipSpace();
        const qsizetype begin = m_at;
        if (atEnd())
            malformed(QStringLiteral("a value cut off by the end of the file"));
        if (startsWith("<<"))
            dictionaryBody(depth);
        else if (peek() == '<')
            hexString();
        else if (peek() == '(')
            literalString();
        else if (peek() == '[')
            arrayBody(depth);
        else if (peek() == '/')
            ++m_at, run();
        else
            numberOrReference();
        if (m_at == begin)
            malformed(QStringLiteral("an unexpected \"%1\"").arg(QChar::fromLatin1(peek())));
        return m_bytes.mid(begin, m_at - begin);
    }

    PdfDictionary dictionary() {
        PdfDictionary entries;
        if (!startsWith("<<"))
            return entries;
        m_at += 2;
        while (!startsWith(">>")) {
            const QByteArray key = value();
            if (!key.startsWith('/'))
                malformed(QStringLiteral("a dictionary key that is no name"));
            entries.insert(key.mid(1), value());
        }
        m_at += 2;
        return entries;
    }

private:
    char peek() const { return m_bytes.at(m_at); }

    QByteArray run() {
        const qsizetype begin = m_at;
        while (!atEnd() && !isSpace(peek()) && !isDelimiter(peek()))
            ++m_at;
        return m_bytes.mid(begin, m_at - begin);
    }

    void dictionaryBody(int depth) {
        m_at += 2;
        while (!startsWith(">>")) {
            if (!value(depth + 1).startsWith('/'))
                malformed(QStringLiteral("a dictionary key that is no name"));
            value(depth + 1);
        }
        m_at += 2;
    }

    void arrayBody(int depth) {
        ++m_at;
        while (skipSpace(), !atEnd() && peek() != ']')
            value(depth + 1);
        if (atEnd())
            malformed(QStringLiteral("an array cut off by the end of the file"));
        ++m_at;
    }

    void hexString() {
        const qsizetype end = m_bytes.indexOf('>', m_at);
        if (end < 0)
            malformed(QStringLiteral("a string cut off by the end of the file"));
        m_at = end + 1;
    }

    // Parentheses nest unless escaped by a backslash.
    void literalString() {
        int open = 0;
        for (; !atEnd(); ++m_at) {
            if (peek() == '\\')
                ++m_at;
            else if (peek() == '(')
                ++open;
            else if (peek() == ')' && --open == 0) {
                ++m_at;
                return;
            }
        }
        malformed(QStringLiteral("a string cut off by the end of the file"));
    }

    void numberOrReference() {
        const QByteArray first = word();
        if (!isInteger(first))
            return;
        const qsizetype after = m_at;
        const QByteArray generation = word();
        if (isInteger(generation) && word() == "R")
            return;
        m_at = after;
    }

    const QByteArray& m_bytes;
    qsizetype m_at;
};

// Where the last cross-reference table begins, from the "startxref" at the end of the file.
qsizetype startxrefOffset(const QByteArray& pdf) {
    const qsizetype keyword = pdf.lastIndexOf("startxref");
    if (keyword < 0)
        malformed(QStringLiteral("no startxref"));
    Scanner tail(pdf, keyword + 9);
    bool ok = false;
    const qsizetype offset = tail.word().toLongLong(&ok);
    if (!ok || pdf.sliced(tail.at()).trimmed() != "%%EOF")
        malformed(QStringLiteral("no offset and end of file after startxref"));
    return offset;
}

} // namespace

PdfStructure::PdfStructure(const QByteArray& pdf)
    : m_pdf(pdf)
    , m_lastTable(startxrefOffset(pdf)) {
    QSet<qsizetype> read;
    qsizetype table = m_lastTable;
    for (bool last = true; table >= 0; last = false) {
        if (read.contains(table))
            malformed(QStringLiteral("tables that refer to each other"));
        read.insert(table);
        table = readTable(table, last);
    }
    for (auto object = m_objects.cbegin(); object != m_objects.cend(); ++object)
        valueStart(object.key());
    if (!m_trailer.contains("Root") || !m_trailer.contains("Size"))
        malformed(QStringLiteral("a trailer without /Root or /Size"));
}

// One table's entries ("0000012345 00000 n" and an end of line, 20 bytes each), under which the
// objects listed by a later table stay; returns where the table before it begins, or -1.
qsizetype PdfStructure::readTable(qsizetype offset, bool last) {
    if (offset < 0 || offset >= m_pdf.size())
        malformed(QStringLiteral("a table offset past the end of the file"));
    Scanner scanner(m_pdf, offset);
    scanner.expect("xref", QStringLiteral("where a table should begin"));
    constexpr qsizetype entrySize = 20;
    while (!scanner.startsWith("trailer")) {
        bool firstOk = false;
        bool countOk = false;
        const int first = scanner.word().toInt(&firstOk);
        const int count = scanner.word().toInt(&countOk);
        scanner.skipSpace();
        if (!firstOk || !countOk || first < 0 || count < 0 ||
            count > (m_pdf.size() - scanner.at()) / entrySize)
            malformed(
                QStringLiteral("a table section that is not \"first count\" and its entries"));
        for (int k = 0; k < count; ++k) {
            const QByteArray entry = m_pdf.mid(scanner.at(), entrySize);
            scanner.advance(entrySize);
            if (entry.at(10) != ' ' || entry.at(16) != ' ' ||
                (entry.at(17) != 'n' && entry.at(17) != 'f'))
                malformed(QStringLiteral("a table entry that is not \"offset generation n|f\""));
            if (entry.at(17) == 'f')
                continue;
            if (last)
                m_lastTableObjects.append(first + k);
            if (!m_objects.contains(first + k))
                m_objects.insert(first + k,
                                 {entry.left(10).toLongLong(), entry.mid(11, 5).toInt()});
        }
    }
    scanner.expect("trailer", QStringLiteral("after a table"));
    const PdfDictionary trailer = scanner.dictionary();
    if (last)
        m_trailer = trailer;
    if (!trailer.contains("Prev"))
        return -1;
    bool ok = false;
    const qsizetype previous = trailer.value("Prev").toLongLong(&ok);
    return ok ? previous : m_pdf.size();
}

// Where the value of an object begins, after its "N G obj".
qsizetype PdfStructure::valueStart(int number) const {
    const auto entry = m_objects.constFind(number);
    if (entry == m_objects.cend())
        malformed(QStringLiteral("object %1 is not in the tables").arg(number));
    const qsizetype offset = entry->offset;
    if (offset <= 0 || offset >= m_pdf.size() || !isSpace(m_pdf.at(offset - 1)))
        malformed(QStringLiteral("object %1 is listed at no line's start").arg(number));
    Scanner scanner(m_pdf, offset);
    if (scanner.word() != QByteArray::number(number) ||
        scanner.word() != QByteArray::number(entry->generation) || scanner.word() != "obj")
        malformed(QStringLiteral("object %1 is not where its table says").arg(number));
    scanner.skipSpace();
    return scanner.at();
}

PdfDictionary PdfStructure::dictionary(int number) const {
    Scanner scanner(m_pdf, valueStart(number));
    return scanner.dictionary();
}

QByteArray PdfStructure::streamData(int number) const {
    Scanner scanner(m_pdf, valueStart(number));
    const QByteArray length = scanner.dictionary().value("Length");
    const qsizetype size = length.endsWith('R')
                               ? Scanner(m_pdf, valueStart(referenced(length))).word().toLongLong()
                               : length.toLongLong();
    scanner.expect("stream", QStringLiteral("in stream object %1").arg(number));
    scanner.advance(m_pdf.mid(scanner.at(), 2) == "\r\n" ? 2 : 1);
    const qsizetype begin = scanner.at();
    if (size >= 0 && size <= m_pdf.size() - begin)
        scanner.advance(size);
    if (scanner.at() != begin + size || !scanner.startsWith("endstream"))
        malformed(QStringLiteral("stream object %1 is not as long as it says").arg(number));
    return m_pdf.mid(begin, size);
}

int PdfStructure::referenced(const QByteArray& value) {
    Scanner scanner(value, 0);
    bool ok = false;
    const int number = scanner.word().toInt(&ok);
    const bool generation = isInteger(scanner.word());
    if (!ok || !generation || scanner.word() != "R" || (scanner.skipSpace(), !scanner.atEnd()))
        malformed(QStringLiteral("\"%1\" is no reference").arg(QString::fromLatin1(value)));
    return number;
}

QList<QByteArray> PdfStructure::arrayItems(const QByteArray& value) {
    Scanner scanner(value, 0);
    if (!scanner.startsWith("["))
        malformed(QStringLiteral("\"%1\" is no array").arg(QString::fromLatin1(value)));
    scanner.advance(1);
    QList<QByteArray> items;
    while (!scanner.startsWith("]")) {
        if (scanner.atEnd())
            malformed(QStringLiteral("an array without its end"));
        items.append(scanner.value());
    }
    return items;
}
