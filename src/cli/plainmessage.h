#pragma once

#include <QString>

class RuntimeError;

// The command line's wording of a failure: what could not be done to which file and why, in plain
// words, without the run-time error wording of the window's message boxes.
namespace PlainMessage {

// "cannot read “names.txt”: no such file"
QString cannotRead(const QString& file, const RuntimeError& error);
// "cannot write “x.pdf”: the folder does not exist"
QString cannotWrite(const QString& file, const RuntimeError& error);

} // namespace PlainMessage
