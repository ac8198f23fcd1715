#include "core/letterfolding.h"

#include <array>
#include <QList>
#include <utility>

namespace LetterFolding {

namespace {

// Letters that Unicode does not decompose into a base letter and marks, lower case.
QString ownReading(char32_t letter) {
    static const std::array<std::pair<char32_t, const char16_t*>, 12> table{{
        {U'ß', u"ss"},
        {U'æ', u"ae"},
        {U'œ', u"oe"},
        {U'ø', u"o"},
        {U'ł', u"l"},
        {U'đ', u"d"},
        {U'ð', u"d"},
        {U'þ', u"th"},
        {U'ħ', u"h"},
        {U'ı', u"i"},
        {U'ŋ', u"ng"},
        {U'ŧ', u"t"},
    }};
    for (const auto& [from, to] : table) {
        if (from == letter)
            return QString::fromUtf16(to);
    }
    return {};
}

// The canonical decomposition, applied until nothing decomposes further, marks dropped.
QString withoutMarks(char32_t letter) {
    if (QChar::decompositionTag(letter) != QChar::Canonical)
        return {};
    QString plain;
    for (const char32_t part : QChar::decomposition(letter).toUcs4()) {
        if (isMark(part))
            continue;
        const QString deeper = withoutMarks(part);
        plain += deeper.isEmpty() ? QString::fromUcs4(&part, 1) : deeper;
    }
    return plain;
}

} // namespace

bool isMark(char32_t codePoint) {
    const QChar::Category category = QChar::category(codePoint);
    return category == QChar::Mark_NonSpacing || category == QChar::Mark_SpacingCombining ||
           category == QChar::Mark_Enclosing;
}

QString plainLetters(char32_t letter) {
    const char32_t lower = QChar::toLower(letter);
    const QString own = ownReading(lower);
    if (!own.isEmpty())
        return own;
    const QString plain = withoutMarks(lower);
    return plain == QString::fromUcs4(&lower, 1) ? QString() : plain;
}

} // namespace LetterFolding
