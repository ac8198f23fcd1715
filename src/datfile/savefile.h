#pragma once

#include <functional>
#include <QByteArrayView>
#include <QString>

class QIODevice;

// What a save does where the folder takes no new file beside the old one.
enum class SaveFallback {
    None,        // fail: nothing half-written is ever left behind
    WriteInPlace // write over the old file (QSaveFile's direct write fallback)
};

// Writes bytes to path through a temporary file that replaces the old one only when every byte is
// out; a replaced file keeps its mode and, where the user may set it, its owner. Throws the file's
// RuntimeError (see fileerrors.h), naming path, when it cannot, and 70 (permission denied) for a
// link that may have been planted (see OutputFile::linkDanger).
void saveFile(const QString& path, QByteArrayView bytes,
              SaveFallback fallback = SaveFallback::None);

// The same, the bytes written to the file by write as it makes them, so that they need not all be
// held at once. Whatever write throws leaves the old file as it was, and is thrown on.
void saveFile(const QString& path, const std::function<void(QIODevice& file)>& write,
              SaveFallback fallback = SaveFallback::None);
