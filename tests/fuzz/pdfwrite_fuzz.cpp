// A PDF of the cards of any texts (one a line, a few at most): whatever the texts, which are
// written into the PDF as its title and its words, the PDF's structure stays sound and the Unicode
// map it gains replaces the hieroglyph font's own map, never another object.

#include "core/converter.h"
#include "fuzzsupport.h"
#include "output/document.h"
#include "output/documentparts.h"
#include "pdfcheck.h"
#include "platform/runtimeerror.h"

#include <QGuiApplication>

using namespace Qt::StringLiterals;

namespace {

// Long enough for several lines of glyphs and a page break, short enough for many runs a second.
constexpr qsizetype maxText = 600;
constexpr qsizetype maxCards = 3;

void startGui() {
    static int argc = 1;
    static char name[] = "fuzz_pdfwrite";
    static char* argv[] = {name, nullptr};
    qputenv("QT_QPA_PLATFORM", "offscreen");
    static const QGuiApplication application(argc, argv);
}

const Converter& converter() {
    static const Converter shipped(Alphabet::load(QStringLiteral(SCARABO_DATA_DIR)));
    return shipped;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    startGui();
    const QString texts = FuzzSupport::textFrom(data, size).left(maxText);
    QList<GlyphRow> rows;
    bool hieroglyphs = false;
    for (const QString& text : texts.split(u'\n').mid(0, maxCards)) {
        rows.append(converter().row(text, Converter::WholeText));
        hieroglyphs = hieroglyphs || !rows.constLast().unicodeText().isEmpty();
    }
    QByteArray pdf;
    try {
        pdf = pdfDocument(rows, {});
    } catch (const RuntimeError& error) {
        FuzzSupport::finding(QStringLiteral("error %1 (%2) for [%3]")
                                 .arg(error.number())
                                 .arg(error.description(), FuzzSupport::escaped(texts)));
    }
    if (const QString fault = pdfFault(pdf, hieroglyphs); !fault.isEmpty())
        FuzzSupport::finding(fault + u" for ["_s + FuzzSupport::escaped(texts) + u']');
    return 0;
}
