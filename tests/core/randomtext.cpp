#include "randomtext.h"

#include <array>
#include <QStringBuilder>

namespace {

const std::array<QString, 36>& pieces() {
    static const std::array<QString, 36> all = {
        fromUnits({u'a'}),           fromUnits({u'b'}),           fromUnits({u's'}),
        fromUnits({u'h'}),           fromUnits({u'A'}),           fromUnits({u'S'}),
        fromUnits({u'H'}),           fromUnits({u' '}),           fromUnits({u'.'}),
        fromUnits({u'/'}),           fromUnits({u'i'}),           fromUnits({u'I'}),
        fromUnits({u'k'}),           fromUnits({0xE9}),           fromUnits({0xC9}),
        fromUnits({0xDF}),           fromUnits({0x178}),          fromUnits({0xFF}),
        fromUnits({0x3A3}),          fromUnits({0x3C3}),          fromUnits({0x3C2}),
        fromUnits({0x130}),          fromUnits({0x131}),          fromUnits({0x307}),
        fromUnits({0xFB01}),         fromUnits({0x212A}),         fromUnits({0x1E9E}),
        fromUnits({0xFFFD}),         fromUnits({0xD801}),         fromUnits({0xDC00}),
        fromUnits({0xDC28}),         fromUnits({0xD801, 0xDC00}), fromUnits({0xD801, 0xDC28}),
        fromUnits({0xD801, 0xDC27}), fromUnits({u'i', 0x307}),    fromUnits({0xD801, 0xD801}),
    };
    return all;
}

} // namespace

QString RandomText::text(int maxPieces) {
    QString result;
    const int count = below(maxPieces + 1);
    for (int i = 0; i < count; ++i)
        result += pieces()[static_cast<size_t>(below(static_cast<int>(pieces().size())))];
    return result;
}

QStringList RandomText::alphabet(const QString& text, int maxEntries) {
    QStringList result{sliceOf(text)}; // the header may well equal the text: it must never match
    const int count = below(maxEntries + 1);
    for (int i = 0; i < count; ++i)
        result.append(entry(text));
    return result;
}

QString RandomText::sliceOf(const QString& text) {
    if (text.isEmpty())
        return {};
    const qsizetype start = below(static_cast<int>(text.size()));
    return text.mid(start, 1 + below(4));
}

QString RandomText::entry(const QString& text) {
    switch (below(6)) {
    case 0:
        return {};
    case 1:
    case 2:
        return this->text(3);
    case 3:
        return sliceOf(text).toUpper();
    case 4:
        return sliceOf(text).toLower();
    default:
        return sliceOf(text);
    }
}

QString fromUnits(std::initializer_list<char16_t> codeUnits) {
    QString result;
    for (const char16_t unit : codeUnits)
        result += QChar(unit);
    return result;
}

QString describeUnits(const QString& text) {
    QStringList described;
    for (const QChar unit : text)
        described.append(
            QStringLiteral("U+%1").arg(unit.unicode(), 4, 16, QLatin1Char('0')).toUpper());
    return u'"' % described.join(u' ') % u'"';
}
