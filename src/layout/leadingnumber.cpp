#include "layout/leadingnumber.h"

#include "platform/runtimeerror.h"

#include <cmath>
#include <cstdint>
#include <QLocale>
#include <QString>

namespace {

bool isSkipped(QChar c) {
    return c == u' ' || c == u'\t' || c == u'\n';
}

int digitValue(QChar c, int radix) {
    const char16_t u = c.unicode();
    int value = radix;
    if (u >= u'0' && u <= u'9')
        value = u - u'0';
    else if (u >= u'a' && u <= u'f')
        value = u - u'a' + 10;
    else if (u >= u'A' && u <= u'F')
        value = u - u'A' + 10;
    return value < radix ? value : -1;
}

// Reads characters of a text one by one, never past its end.
class Scanner {
public:
    explicit Scanner(QStringView text)
        : m_text(text) {}

    QChar peek() const { return m_pos < m_text.size() ? m_text[m_pos] : QChar(); }
    bool take(QChar c) {
        const bool match = peek() == c;
        m_pos += match ? 1 : 0;
        return match;
    }
    bool takeAnyOf(QStringView choices) {
        const bool match = !peek().isNull() && choices.contains(peek());
        m_pos += match ? 1 : 0;
        return match;
    }
    QStringView takeDigits(int radix) {
        const qsizetype start = m_pos;
        while (m_pos < m_text.size() && digitValue(m_text[m_pos], radix) >= 0)
            ++m_pos;
        return m_text.mid(start, m_pos - start);
    }

private:
    QStringView m_text;
    qsizetype m_pos = 0;
};

double radixInteger(Scanner& scanner, int radix) {
    constexpr std::uint64_t largest16 = 0xFFFF;
    constexpr std::uint64_t largest32 = 0xFFFFFFFF;
    std::uint64_t value = 0;
    for (const QChar digit : scanner.takeDigits(radix)) {
        value = value * static_cast<std::uint64_t>(radix) +
                static_cast<std::uint64_t>(digitValue(digit, radix));
        if (value > largest32)
            throw RuntimeError(ErrorNumber::Overflow);
    }
    const bool forcedLong = scanner.take(u'&');
    if (value <= largest16 && !forcedLong)
        return static_cast<std::int16_t>(value);
    return static_cast<std::int32_t>(value);
}

QString exponentPart(Scanner& scanner) {
    if (!scanner.takeAnyOf(u"EeDd"))
        return {};
    QString exponent = QStringLiteral("e");
    if (scanner.take(u'-'))
        exponent += u'-';
    else
        scanner.take(u'+');
    const QStringView digits = scanner.takeDigits(10);
    if (digits.isEmpty())
        return {};
    exponent += digits;
    return exponent;
}

double decimalNumber(Scanner& scanner) {
    QString token;
    const QChar sign = scanner.peek();
    if (scanner.takeAnyOf(u"+-"))
        token += sign;
    const QStringView whole = scanner.takeDigits(10);
    const QStringView fraction = scanner.take(u'.') ? scanner.takeDigits(10) : QStringView();
    if (whole.isEmpty() && fraction.isEmpty())
        return 0.0;
    token += whole.isEmpty() ? QStringView(u"0") : whole;
    if (!fraction.isEmpty()) {
        token += u'.';
        token += fraction;
    }
    token += exponentPart(scanner);
    const double value = QLocale::c().toDouble(token);
    if (std::isinf(value))
        throw RuntimeError(ErrorNumber::Overflow);
    return value;
}

} // namespace

double leadingNumber(QStringView text) {
    QString compact;
    compact.reserve(text.size());
    for (const QChar c : text) {
        if (!isSkipped(c))
            compact += c;
    }
    Scanner scanner(compact);
    if (!scanner.take(u'&'))
        return decimalNumber(scanner);
    if (scanner.takeAnyOf(u"Hh"))
        return radixInteger(scanner, 16);
    if (scanner.takeAnyOf(u"Oo"))
        return radixInteger(scanner, 8);
    return 0.0;
}
