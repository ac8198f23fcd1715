#include "plainglyphscan.h"

#include "core/glyphmatcher.h"

#include <QDir>

namespace {

// Each usable entry lower-cased once, with its index; the unusable ones are left out.
// Lowered as named strings, never as temporaries: Qt 6.4's QString::toLower of a temporary turns
// unpaired high surrogates at its end into U+FFFD once a U+0130 has grown the string, where a
// named string keeps them, as it does without U+0130.
struct LoweredEntry {
    qsizetype index;
    qsizetype length;
    QString lowered;
};

QList<LoweredEntry> loweredEntries(const QStringList& alphabet) {
    QList<LoweredEntry> entries;
    for (qsizetype index = 1; index < alphabet.size(); ++index) {
        const QString& entry = alphabet[index];
        if (plainIsUsableEntry(entry))
            entries.append({index, entry.size(), entry.toLower()});
    }
    return entries;
}

const LoweredEntry* firstEntryAt(const QList<LoweredEntry>& entries, QStringView text,
                                 qsizetype position) {
    for (const LoweredEntry& entry : entries) {
        const QString piece = text.mid(position, entry.length).toString();
        if (piece.toLower() == entry.lowered)
            return &entry;
    }
    return nullptr;
}

} // namespace

QList<qsizetype> plainGlyphScan(const QStringList& alphabet, QStringView text) {
    const QList<LoweredEntry> entries = loweredEntries(alphabet);
    QList<qsizetype> glyphs;
    qsizetype position = 0;
    while (position < text.size() && glyphs.size() < GlyphMatcher::MaxGlyphs) {
        const LoweredEntry* entry = firstEntryAt(entries, text, position);
        if (entry == nullptr) {
            ++position;
            continue;
        }
        glyphs.append(entry->index);
        position += entry->length;
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
