#include "usableentry.h"

namespace {

bool startsWithDrive(QStringView entry) {
    if (entry.size() < 2 || entry[1] != u':')
        return false;
    const char16_t letter = entry[0].unicode();
    return (letter >= u'A' && letter <= u'Z') || (letter >= u'a' && letter <= u'z');
}

// One loop instead of a search per pattern: the alphabet may hold tens of thousands of entries.
bool leavesFolder(QStringView entry) {
    for (qsizetype i = 0; i < entry.size(); ++i) {
        const QChar unit = entry[i];
        if (unit == u'/' || unit == u'\\')
            return true;
        if (unit == u'.' && i + 1 < entry.size() && entry[i + 1] == u'.')
            return true;
    }
    return startsWithDrive(entry);
}

} // namespace

namespace GlyphMatcher {

bool isUsableEntry(QStringView entry) {
    return !entry.isEmpty() && !leavesFolder(entry);
}

} // namespace GlyphMatcher
