#include "core/glyphslots.h"
#include "wordprocessor/api/exportsteps.h"
#include "wordprocessor/api/wordprocessor.h"

#include <gmock/gmock.h>

namespace {

// A build without a word-processor backend: Export to Word reports that none is available.
TEST(NoWordProcessor, ExportReportsThatNoWordProcessorIsAvailable) {
    const auto word = createWordProcessor();
    GlyphSlots glyphFiles;
    glyphFiles[1] = QStringLiteral("/g/a.gif");

    try {
        wordexport::exportGlyphs(*word, glyphFiles, {});
        FAIL() << "the export succeeded";
    } catch (const RuntimeError& error) {
        EXPECT_EQ(error.number(), 429);
        EXPECT_EQ(error.description(),
                  QStringLiteral("ActiveX component can't create object: no "
                                 "word processor is available to this program"));
    }
}

} // namespace
