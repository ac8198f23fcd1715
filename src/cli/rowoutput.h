#pragma once

#include "cli/commandline.h"
#include "core/glyphrow.h"
#include "output/document.h"

#include <QString>
#include <QStringList>

class Converter;

// The files the command line writes, of the types of OutputFormats, told apart by their suffix.
namespace RowOutput {

// Why a file of path's type cannot be written with these options, from one text or from a batch
// of names; empty when it can.
QString misuse(const QString& path, const OutputOptions& options, bool batch);

// Why path cannot be written because it is one of the inputs, links followed, so that writing it
// would lose what is read; empty when it is none of them.
QString inputClash(const QString& path, const QStringList& inputs);

// Why the glyph size asked for cannot be written: too large for the page of a document (a sheet or
// a text page) for one of the texts, given alone or as a batch; empty when it fits.
QString sizeMisuse(const Converter& converter, const QStringList& texts, bool batch,
                   const QString& path, const OutputOptions& options);

// What the row left out of its text, as the command line tells it; empty when nothing.
QString leftOut(const GlyphRow& row);

// Writes the rows of the texts to path, as its suffix says (a batch on cards unless asked
// otherwise), all or nothing, each text converted as it is written so that a batch of any size
// takes little memory; a document tells its progress. Answers what was left out of each text, in
// order (see leftOut). Throws RuntimeError naming the file when it cannot be written.
QStringList write(const Converter& converter, const QStringList& texts, bool batch,
                  const QString& path, const OutputOptions& options,
                  const DocumentProgress& progress = {});

} // namespace RowOutput
