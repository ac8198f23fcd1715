#pragma once

#include "wordexportjob.h"

class QWidget;

// File > Export to Word: inserts the picture of every filled glyph slot, in slot order, at the
// selection of the active document of the word processor (reusing a running one, else starting
// one), then two paragraph marks. The export runs on a worker thread; meanwhile the window takes
// no input, and from half a second on a modal progress dialog with Cancel shows. Throws
// RuntimeError when the export fails, or 18 when it was cancelled; pictures already inserted stay.
void exportToWord(QWidget* parent, const WordExportJob::GlyphSlots& glyphFiles);

namespace WordExport {

// Where exportToWord gets its word processor: createWordProcessor() unless a test sets another;
// an empty factory restores that.
void setProcessorFactory(WordExportJob::ProcessorFactory factory);

} // namespace WordExport
