#include "datfile/savefile.h"

#include "datfile/fileerrors.h"
#include "platform/outputfile.h"

#include <QSaveFile>

namespace {

// A write may stop short without an error, as when the disk fills up; the next one then fails and
// says why.
bool writeWhole(QIODevice& file, QByteArrayView bytes) {
    while (!bytes.isEmpty()) {
        const qint64 written = file.write(bytes.data(), bytes.size());
        if (written <= 0)
            return false;
        bytes = bytes.sliced(written);
    }
    return true;
}

} // namespace

// Unbuffered, so that every byte is out before the commit: Qt 6.4's commit renames the file even
// when the flush of a write buffer fails, which on a full disk would put a cut-off file in place of
// the old one.
void saveFile(const QString& path, QByteArrayView bytes, SaveFallback fallback) {
    if (const QString danger = OutputFile::linkDanger(path); !danger.isEmpty())
        throw RuntimeError(ErrorNumber::PermissionDenied, danger);
    QSaveFile file(path);
    file.setDirectWriteFallback(fallback == SaveFallback::WriteInPlace);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Unbuffered))
        throw fileWriteOpenError(path, file);
    // The copy takes the place of the file a link leads to, which keeps its mode and owner.
    OutputFile::keepOwnerAndMode(file.handle(), path);
    if (!writeWhole(file, bytes) || !file.commit())
        throw fileTransferError(path, file);
}
