#pragma once

#include "core/glyphslots.h"
#include "wordprocessor/api/wordprocessor.h"

#include <QString>

class QWidget;

// File > Export to Word: inserts the picture of every filled glyph slot, in slot order, at the
// selection of the active document of the word processor (reusing a running one, else starting
// one), each with the alternative text of its slot in altTexts, then two paragraph marks. The
// export runs on a worker thread; meanwhile the window takes no input, and from half a second on a
// modal progress dialog with Cancel shows. Throws RuntimeError when the export fails, or 18 when
// it was cancelled; pictures already inserted stay. The word processor comes from wordProcessor;
// the progress dialog carries title and names the word processor by wordProcessorName.
void exportToWord(QWidget* parent, const GlyphSlots& glyphFiles, const GlyphSlots& altTexts,
                  const WordProcessorFactory& wordProcessor, const QString& title,
                  const QString& wordProcessorName);
