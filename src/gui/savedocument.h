#pragma once

#include "core/glyphrow.h"
#include "gui/appcontext.h"

#include <optional>

class QSettings;
class QWidget;

// File > Save As Document, Print and Print Preview: the row of the whole text as a document and on
// paper.
namespace SaveDocument {

// The program's way of asking: a file dialog (PDF, ODT, DOCX or HTML), then a small dialog of the
// options.
std::optional<SaveDocumentRequest> askWithDialogs(QWidget* parent,
                                                  const SaveDocumentRequest& proposal);

// Asks through the context where and how, then saves the row there, written as writing says but
// for the letters and the cartouche, which the document's own options choose. The folder and the
// options are remembered in settings, for the next time and for printing. Throws RuntimeError
// when the document cannot be saved.
void run(const AppContext& context, QWidget* parent, const GlyphRow& row, QSettings& settings,
         const WritingOptions& writing);

// Asks the document's options (as Save As Document does, and remembered with them), then prints
// the row through the print dialog, or shows it in the print preview: the same pages as the saved
// PDF, margins included.
void print(QWidget* parent, const GlyphRow& row, QSettings& settings,
           const WritingOptions& writing);
void preview(QWidget* parent, const GlyphRow& row, QSettings& settings,
             const WritingOptions& writing);

} // namespace SaveDocument
