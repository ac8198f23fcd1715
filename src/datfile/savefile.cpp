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

// The save file open for writing, taking the place of the file a link leads to, which keeps its
// mode and owner.
void openToSave(QSaveFile& file, const QString& path, QIODevice::OpenMode mode,
                SaveFallback fallback) {
    if (const QString danger = OutputFile::linkDanger(path); !danger.isEmpty())
        throw RuntimeError(ErrorNumber::PermissionDenied, danger);
    file.setDirectWriteFallback(fallback == SaveFallback::WriteInPlace);
    if (!file.open(QIODevice::WriteOnly | mode))
        throw fileWriteOpenError(path, file);
    OutputFile::keepOwnerAndMode(file.handle(), path);
}

} // namespace

// Unbuffered, so that every byte is out before the commit: Qt 6.4's commit renames the file even
// when the flush of a write buffer fails, which on a full disk would put a cut-off file in place of
// the old one.
void saveFile(const QString& path, QByteArrayView bytes, SaveFallback fallback) {
    QSaveFile file(path);
    openToSave(file, path, QIODevice::Unbuffered, fallback);
    if (!writeWhole(file, bytes) || !file.commit())
        throw fileTransferError(path, file);
}

// Buffered, as the writer may write in small pieces; the buffer is flushed, and checked, before the
// commit for the reason above.
void saveFile(const QString& path, const std::function<void(QIODevice& file)>& write,
              SaveFallback fallback) {
    QSaveFile file(path);
    openToSave(file, path, {}, fallback);
    try {
        write(file);
    } catch (const RuntimeError&) {
        // A writer that fails because the file did (a full disk) says less than the file.
        if (file.error() != QFileDevice::NoError)
            throw fileTransferError(path, file);
        throw;
    }
    if (!file.flush() || file.error() != QFileDevice::NoError || !file.commit())
        throw fileTransferError(path, file);
}
