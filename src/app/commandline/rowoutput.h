#pragma once

#include "commandline.h"
#include "glyphrow.h"

#include <QList>
#include <QString>
#include <QStringList>

class RowMaker;

// The files the command line writes, told apart by their suffix: every type of output is known
// here and nowhere else.
namespace RowOutput {

// The suffixes of the files it writes, as a person reads them: ".png, .svg".
QString suffixesText();

// Why a file of path's type cannot be written with these options, from one text or from a batch
// of names; empty when it can.
QString misuse(const QString& path, const OutputOptions& options, bool batch);

// Why path cannot be written because it is one of the inputs, links followed, so that writing it
// would lose what is read; empty when it is none of them.
QString inputClash(const QString& path, const QStringList& inputs);

// Writes the rows of the texts to path, as its suffix says, all or nothing, and answers them, so
// that the caller can tell what was left out of each. Throws RuntimeError naming the file when it
// cannot be written.
QList<GlyphRow> write(const RowMaker& maker, const QStringList& texts, const QString& path,
                      const OutputOptions& options);

} // namespace RowOutput
