#include "datfile/fileerrors.h"

#include <QDir>
#include <QFile>
#include <QFileDevice>
#include <QFileInfo>

namespace {
RuntimeError accessError(const QString& path, const QFileDevice& file) {
    return RuntimeError(ErrorNumber::PathFileAccessError,
                        QStringLiteral("%1 (%2)").arg(path, file.errorString()));
}

bool folderMissing(const QString& path) {
    return !QFileInfo(path).absoluteDir().exists();
}
} // namespace

RuntimeError fileReadOpenError(const QString& path, const QFileDevice& file) {
    if (QFileInfo::exists(path))
        return accessError(path, file);
    if (folderMissing(path))
        return RuntimeError(ErrorNumber::PathNotFound, path);
    return RuntimeError(ErrorNumber::FileNotFound, path);
}

RuntimeError fileWriteOpenError(const QString& path, const QFileDevice& file) {
    if (folderMissing(path))
        return RuntimeError(ErrorNumber::PathNotFound, path);
    return accessError(path, file);
}

RuntimeError fileTransferError(const QString& path, const QFileDevice& file) {
    if (file.error() == QFileDevice::ResourceError)
        return RuntimeError(ErrorNumber::DiskFull, path);
    return accessError(path, file);
}

// Unbuffered: the bytes go straight into the result, not through a read buffer first.
QByteArray readWholeFile(const QString& path) {
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly | QIODevice::Unbuffered))
        throw fileReadOpenError(path, file);
    const QByteArray bytes = file.readAll();
    if (file.error() != QFileDevice::NoError)
        throw fileTransferError(path, file);
    return bytes;
}
