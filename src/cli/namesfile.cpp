#include "cli/namesfile.h"

#include "datfile/fileerrors.h"

#include <QStringDecoder>

namespace NamesFile {

QStringList namesIn(QByteArrayView data) {
    // The decoder's default drops a leading byte-order mark, as Windows editors write one.
    QStringDecoder utf8(QStringDecoder::Utf8);
    const QString text = utf8(data);
    QStringList names;
    for (const QStringView line : QStringView(text).split(u'\n')) {
        const QStringView name = line.trimmed();
        if (!name.isEmpty())
            names.append(name.toString());
    }
    return names;
}

QStringList read(const QString& path) {
    return namesIn(readWholeFile(path));
}

} // namespace NamesFile
