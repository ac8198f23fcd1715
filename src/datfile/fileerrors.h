#pragma once

#include "platform/runtimeerror.h"

#include <QByteArray>
#include <QString>

class QFileDevice;

// The run-time error for a data file that could not be opened, read or written, naming its path:
// 53 file not found, 76 path not found, 75 a directory or access denied, 61 disk full.
RuntimeError fileReadOpenError(const QString& path, const QFileDevice& file);
RuntimeError fileWriteOpenError(const QString& path, const QFileDevice& file);
RuntimeError fileTransferError(const QString& path, const QFileDevice& file);

// The whole of a file, read at once; throws the errors above when it cannot be opened or read.
QByteArray readWholeFile(const QString& path);
