#include "gui/about/versionformat.h"

QString FormatVersion(int major, int minor, int revision) {
    const QChar zero = u'0';
    return QStringLiteral("%1.%2.%3").arg(major).arg(minor, 2, 10, zero).arg(revision, 4, 10, zero);
}
