#include "plainglyphscan.h"

#include "glyphmatcher.h"

#include <QDir>

namespace {

qsizetype firstEntryAt(const QStringList& alphabet, QStringView text, qsizetype position) {
    for (qsizetype index = 1; index < alphabet.size(); ++index) {
        const QString& entry = alphabet[index];
        if (!plainIsUsableEntry(entry))
            continue;
        // Lowered as a named string, never as a temporary: Qt 6.4's QString::toLower of a temporary
        // turns unpaired high surrogates at its end into U+FFFD once a U+0130 has grown the string,
        // where a named string keeps them, as it does without U+0130. Entries are named strings
        // too.
        const QString piece = text.mid(position, entry.size()).toString();
        if (piece.toLower() == entry.toLower())
            return index;
    }
    return -1;
}

} // namespace

QList<qsizetype> plainGlyphScan(const QStringList& alphabet, QStringView text) {
    QList<qsizetype> glyphs;
    qsizetype position = 0;
    while (position < text.size() && glyphs.size() < GlyphMatcher::MaxGlyphs) {
        const qsizetype entry = firstEntryAt(alphabet, text, position);
        if (entry < 0) {
            ++position;
            continue;
        }
        glyphs.append(entry);
        position += alphabet[entry].size();
    }
    return glyphs;
}

bool plainIsUsableEntry(const QString& entry) {
    if (entry.isEmpty())
        return false;
    // Spelled out rather than QDir::isAbsolutePath, which takes a leading ':' for Qt's resources.
    const QString picture = QDir::cleanPath(entry + QStringLiteral(".gif"));
    if (picture.startsWith(u'/'))
        return false;
#ifdef Q_OS_WIN
    if (picture.size() >= 2 && picture[1] == u':' && picture[0].unicode() < 0x80 &&
        picture[0].isLetter())
        return false;
#endif
    return !picture.startsWith(QStringLiteral("../"));
}
