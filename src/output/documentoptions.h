#pragma once

#include "output/outputformats.h"
#include "output/writingoptions.h"

#include <QPageLayout>

// How the rows are set in a document or on paper.
struct DocumentOptions {
    // The physical size of one glyph; the pictures are never drawn below 192 dpi.
    double glyphMillimetres = OutputFormats::DefaultGlyph;
    bool letters = true;    // the letters under each glyph
    bool cartouche = false; // a cartouche (rounded frame with a bar) around each line of a name
    WritingOptions writing; // how the signs are arranged
};

// The page of every saved document: A4 upright with margins of 20 mm.
QPageLayout documentPageLayout();
