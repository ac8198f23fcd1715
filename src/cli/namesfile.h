#pragma once

#include <QByteArrayView>
#include <QString>
#include <QStringList>

// A file of names for a batch: one name a line, in UTF-8.
namespace NamesFile {

// The names in data: with or without a byte-order mark, lines ended by LF or CR LF, blanks around
// a name dropped and blank lines skipped.
QStringList namesIn(QByteArrayView data);

// The names in the file at path. Throws the file's RuntimeError, naming it, when it cannot be read.
QStringList read(const QString& path);

} // namespace NamesFile
