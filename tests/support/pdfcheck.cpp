#include "pdfcheck.h"

#include "output/documentparts.h"
#include "output/pdfstructure.h"
#include "platform/runtimeerror.h"

namespace {

QString unicodeMapFault(const PdfStructure& pdf) {
    QList<int> maps;
    for (auto object = pdf.objects().cbegin(); object != pdf.objects().cend(); ++object) {
        const PdfDictionary font = pdf.dictionary(object.key());
        if (font.value("Subtype") == "/Type0" &&
            font.value("BaseFont") == '/' + QByteArray(hieroglyphFamily))
            maps.append(PdfStructure::referenced(font.value("ToUnicode")));
    }
    if (maps.size() != 1)
        return QStringLiteral("%1 hieroglyph fonts").arg(maps.size());
    if (pdf.lastTableObjects() != maps)
        return QStringLiteral("the update replaces objects other than the map, object %1")
            .arg(maps.constFirst());
    if (!pdf.streamData(maps.constFirst()).startsWith("/CIDInit"))
        return QStringLiteral("the map is no character map");
    return {};
}

} // namespace

QString pdfFault(const QByteArray& pdf, bool hieroglyphs) {
    try {
        const PdfStructure structure(pdf);
        const int root = PdfStructure::referenced(structure.trailer().value("Root"));
        if (structure.dictionary(root).value("Type") != "/Catalog")
            return QStringLiteral("the trailer's /Root is no catalog");
        return hieroglyphs ? unicodeMapFault(structure) : QString();
    } catch (const RuntimeError& error) {
        return error.description();
    }
}
