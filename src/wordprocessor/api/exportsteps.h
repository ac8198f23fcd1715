#pragma once

#include "wordprocessor/api/adddocumentarguments.h"

#include <cstddef>
#include <iterator>

namespace wordexport {

// Sends the glyph pictures to the word processor: reuses a running one or starts one, makes it
// visible, makes sure it has a document, inserts the picture of every filled slot in slot order
// at the selection, then types two paragraph marks. Slot 0 is not used. altTexts runs beside
// glyphFiles, slot for slot: what a screen reader says for that slot's picture (empty: nothing).
//
// Written once for every backend, whatever its string type. `word` offers findRunning() (a look-up
// that may fail, answering false), start(), attachRunning() (a look-up that must succeed),
// addDocument(AddDocumentArguments), setVisible(bool), documentCount(), addPicture(path, altText)
// and typeParagraph(); each of them reports failure by throwing, which ends the export where it
// stands. The caller releases `word` when this returns or throws.
template <class WordProcessor, class GlyphSlots>
void exportGlyphs(WordProcessor& word, const GlyphSlots& glyphFiles, const GlyphSlots& altTexts) {
    if (!word.findRunning()) {
        word.start();
        word.attachRunning();
        word.addDocument(AddDocumentArguments::NewTemplateFalse);
    }
    word.setVisible(true);
    if (word.documentCount() == 0)
        word.addDocument(AddDocumentArguments::AllOmitted);
    for (std::size_t slot = 1; slot < std::size(glyphFiles); ++slot) {
        if (glyphFiles[slot] != typename GlyphSlots::value_type()) // differs from ""
            word.addPicture(glyphFiles[slot], altTexts[slot]);
    }
    word.typeParagraph();
    word.typeParagraph();
}

} // namespace wordexport
