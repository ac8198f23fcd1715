#pragma once

#include <QString>
#include <QStringList>

// A file of names for a batch: one name a line, in UTF-8.
namespace NamesFile {

// What a file of names may hold, so that a wrong file (a device, a disk image) is refused early
// and in little memory.
inline constexpr qint64 LargestFile = 64 * 1024 * 1024; // bytes
inline constexpr qsizetype LongestLine = 4096;          // characters
inline constexpr qsizetype MostNames = 100000;

// The names in the file at path: with or without a byte-order mark, lines ended by LF, CR LF or
// CR, blanks around a name dropped and blank lines skipped. Read in pieces, never whole. Throws the
// file's RuntimeError, naming it, when it cannot be read or holds more than the limits above.
QStringList read(const QString& path);

} // namespace NamesFile
