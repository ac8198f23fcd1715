#pragma once

#include "alphabetindex.h"
#include "glyphrow.h"

#include <QList>
#include <QPageLayout>
#include <QString>
#include <stop_token>

class clsDatFile;
class QPagedPaintDevice;

// How the rows are set in a document or on paper.
struct DocumentOptions {
    // The physical size of one glyph; the pictures are never drawn below 192 dpi.
    double glyphMillimetres = 12.7;
    bool letters = true;    // the letters under each glyph
    bool cartouche = false; // a cartouche (rounded frame with a bar) around each line of a name
};

// One name's row for a document: every glyph of the whole text, not only the first ten.
GlyphRow documentRow(const clsDatFile& alphabet, const AlphabetIndex& index, const QString& text,
                     const QString& imagesFolder);

// True for .pdf .odt .docx .html/.htm (any case).
bool isDocumentPath(const QString& path);

// The page of every saved document: A4 upright with margins of 20 mm.
QPageLayout documentPageLayout();

// Writes the rows (one card per name, in order) as PDF, ODT, DOCX or HTML by the path's suffix.
// Nothing half-written is left behind. Uses no widgets and no pixmaps, so it may run on a thread
// of its own; a stop requested from another thread ends it at the next glyph with RuntimeError 18
// (user interrupt), writing nothing. Throws RuntimeError naming the file: 5 for another suffix,
// 481 for a glyph picture that cannot be read, and the file errors of fileerrors.h when it cannot
// be written.
void saveDocument(const QList<GlyphRow>& rows, const QString& path, const DocumentOptions& options,
                  const std::stop_token& stop = {});

// The same pages as the PDF, on any paged device (a QPrinter for Print, the preview's printer), in
// the device's own page layout.
void printDocument(const QList<GlyphRow>& rows, QPagedPaintDevice& device,
                   const DocumentOptions& options);
