#include "core/usableentry.h"

namespace {

bool isSeparator(QChar unit) {
#ifdef Q_OS_WIN
    return unit == u'/' || unit == u'\\';
#else
    return unit == u'/';
#endif
}

bool startsWithDrive([[maybe_unused]] QStringView entry) {
#ifdef Q_OS_WIN
    if (entry.size() < 2 || entry[1] != u':')
        return false;
    const char16_t letter = entry[0].unicode();
    return (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
#else
    return false;
#endif
}

// Whether the picture, the entry with ".gif" behind it, would lie outside the images folder once
// its path is cleaned: an absolute path, a drive, or a ".." that climbs above the folder. The last
// step ends in ".gif", so it is never "..". One loop instead of a search per pattern: the alphabet
// may hold tens of thousands of entries.
bool leavesFolder(QStringView entry) {
    if (isSeparator(entry.front()) || startsWithDrive(entry))
        return true;
    qsizetype depth = 0;
    qsizetype stepStart = 0;
    for (qsizetype i = 0; i < entry.size(); ++i) {
        if (!isSeparator(entry[i]))
            continue;
        const QStringView step = entry.sliced(stepStart, i - stepStart);
        if (step == u"..") {
            if (--depth < 0)
                return true;
        } else if (!step.isEmpty() && step != u".") {
            ++depth;
        }
        stepStart = i + 1;
    }
    return false;
}

} // namespace

namespace GlyphMatcher {

bool isUsableEntry(QStringView entry) {
    return !entry.isEmpty() && !leavesFolder(entry);
}

} // namespace GlyphMatcher
