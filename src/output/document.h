#pragma once

#include "core/glyphrow.h"
#include "output/documentoptions.h"

#include <functional>
#include <initializer_list>
#include <QList>
#include <QString>
#include <stop_token>

class QPagedPaintDevice;

// The rows of a document, each made when it is written, so that a batch of any size takes the
// memory of one row rather than of all.
class DocumentRows {
public:
    DocumentRows(QList<GlyphRow> rows);
    DocumentRows(std::initializer_list<GlyphRow> rows);
    DocumentRows(qsizetype count, std::function<GlyphRow(qsizetype)> make);

    qsizetype size() const { return m_count; }
    bool isEmpty() const { return m_count == 0; }
    GlyphRow at(qsizetype index) const { return m_make(index); }

private:
    qsizetype m_count;
    std::function<GlyphRow(qsizetype)> m_make;
};

// True for the documents of OutputFormats (any case).
bool isDocumentPath(const QString& path);

// The largest glyph, in millimetres, at which every row fits its page as the options set it: the
// options' own size when it fits. Only sheets and text pages at a size asked for can be too large;
// cards draw a long name smaller, and a fitted sheet fits by its making.
double largestFittingGlyph(const DocumentRows& rows, const DocumentOptions& options);

// Throws RuntimeError 6 (overflow), naming the largest size that fits, when the glyph is too
// large for the page.
void checkFitsOnPage(const DocumentRows& rows, const DocumentOptions& options);

// Told how many rows of how many are done as the rows are written, and once more when all are.
using DocumentProgress = std::function<void(qsizetype done, qsizetype total)>;

// Writes the rows on the options' pages as PDF, ODT, DOCX or HTML by the path's suffix, each row
// made as it is written, and the file written as it is made (the PDF only once whole).
// Nothing half-written is left behind. Uses no widgets and no pixmaps, so it may run on a thread
// of its own; a stop requested from another thread ends it at the next name with RuntimeError 18
// (user interrupt), writing nothing. Throws RuntimeError 6 for a glyph too large for the page
// (checkFitsOnPage), and naming the file: 5 for another suffix, 481 for a glyph picture that
// cannot be read, and the file errors of fileerrors.h when it cannot be written.
void saveDocument(const DocumentRows& rows, const QString& path, const DocumentOptions& options,
                  const std::stop_token& stop = {}, const DocumentProgress& progress = {});

// The same pages as the PDF, on any paged device (a QPrinter for Print, the preview's printer), in
// the device's own page layout.
void printDocument(const DocumentRows& rows, QPagedPaintDevice& device,
                   const DocumentOptions& options);
