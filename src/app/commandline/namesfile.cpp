#include "namesfile.h"

#include "fileerrors.h"

#include <QFile>
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
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        throw fileReadOpenError(path, file);
    const QByteArray data = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fileTransferError(path, file);
    return namesIn(data);
}

} // namespace NamesFile
