#include "cli/terminaltext.h"

#include <QStringList>

namespace {

bool isControl(char16_t c) {
    return c < 0x20 || (c >= 0x7f && c <= 0x9f);
}

QString escaped(char16_t c) {
    switch (c) {
    case u'\0':
        return QStringLiteral("\\0");
    case u'\t':
        return QStringLiteral("\\t");
    case u'\n':
        return QStringLiteral("\\n");
    case u'\r':
        return QStringLiteral("\\r");
    default:
        // A C1 character is one character, not the byte \x9b is in other encodings.
        return c <= 0x7f ? QStringLiteral("\\x%1").arg(int(c), 2, 16, QLatin1Char('0'))
                         : QStringLiteral("\\u%1").arg(int(c), 4, 16, QLatin1Char('0'));
    }
}

} // namespace

namespace TerminalText {

QString visible(QStringView text) {
    QString shown;
    shown.reserve(text.size());
    for (const QChar c : text) {
        if (isControl(c.unicode()))
            shown += escaped(c.unicode());
        else
            shown += c;
    }
    return shown;
}

QString visibleLines(QStringView text) {
    QStringList lines;
    for (const QStringView line : text.split(u'\n'))
        lines.append(visible(line));
    return lines.join(u'\n');
}

} // namespace TerminalText
