#pragma once

#include "output/outputformats.h"
#include "output/writingoptions.h"

#include <QPageLayout>
#include <QPageSize>

// The paper of the user's country: US Letter where that is the custom, else A4.
QPageSize::PageSizeId localPaper();

// What each page of a document holds.
enum class PageKind {
    Sheet, // one name a page, large and centred, its English under it
    Cards, // cards in a grid with cut marks, each one name in its cartouche
    Text,  // lines after lines, broken only between words
};

// How the rows are set in a document or on paper.
struct DocumentOptions {
    // The physical size of one glyph: a quadrat, the height of a full-height sign.
    double glyphMillimetres = OutputFormats::DefaultGlyph;
    bool letters = true;    // the letters under each glyph
    bool cartouche = false; // a cartouche around each name or line
    // How the signs are arranged; the letters and the cartouche are the ones above. Initialized
    // here, so the callers that list the fields before it need not name it.
    WritingOptions writing{};
    QPageSize::PageSizeId paper = localPaper(); // A4 or US Letter
    PageKind page = PageKind::Text;
    // A sheet or card filled by its name, however long: the glyph size is then not asked for.
    bool fitToPage = false;
    bool unicodeLine = true; // the name in Unicode's hieroglyphs, on sheets and text pages
};

// The page of every saved document and print: the paper upright with margins of 20 mm.
QPageLayout documentPageLayout(QPageSize::PageSizeId paper);
