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

// Prints the row through the print dialog, or shows it in the print preview, with the options of
// the last saved document, written the same way.
void print(QWidget* parent, const GlyphRow& row, const QSettings& settings,
           const WritingOptions& writing);
void preview(QWidget* parent, const GlyphRow& row, const QSettings& settings,
             const WritingOptions& writing);

} // namespace SaveDocument
