#include "output/pdfunicodemap.h"

#include "output/pdfstructure.h"

#include <optional>
#include <QString>

namespace {

QByteArray hex(char16_t unit) {
    return QByteArray::number(unit, 16).rightJustified(4, '0').toUpper();
}

QByteArray toUnicodeCMap(const QList<char32_t>& characters) {
    QByteArray cmap = "/CIDInit /ProcSet findresource begin\n12 dict begin\nbegincmap\n"
                      "/CIDSystemInfo << /Registry (Adobe) /Ordering (UCS) /Supplement 0 >> def\n"
                      "/CMapName /Adobe-Identity-UCS def\n/CMapType 2 def\n"
                      "1 begincodespacerange\n<0000> <FFFF>\nendcodespacerange\n";
    constexpr qsizetype perBlock = 100; // the most a bfchar block may hold
    for (qsizetype start = 0; start < characters.size(); start += perBlock) {
        const QList<char32_t> block = characters.mid(start, perBlock);
        cmap += QByteArray::number(block.size()) + " beginbfchar\n";
        for (qsizetype k = 0; k < block.size(); ++k) {
            cmap += '<' + hex(static_cast<char16_t>(start + k + 1)) + "> <";
            for (const QChar unit : QString::fromUcs4(&block.at(k), 1))
                cmap += hex(unit.unicode());
            cmap += ">\n";
        }
        cmap += "endbfchar\n";
    }
    return cmap + "endcmap\nCMapName currentdict /CMap defineresource pop\nend\nend\n";
}

// The number of glyphs of a CID font from its widths: "first [w w ...]" and "first last w" runs,
// or -1 when it gives none.
qsizetype glyphCount(const PdfDictionary& cidFont) {
    if (!cidFont.value("W").startsWith('['))
        return -1;
    const QList<QByteArray> widths = PdfStructure::arrayItems(cidFont.value("W"));
    qsizetype count = -1;
    for (qsizetype k = 0; k + 1 < widths.size();) {
        const qsizetype first = widths.at(k).toLongLong();
        if (widths.at(k + 1).startsWith('[')) {
            count = first + PdfStructure::arrayItems(widths.at(k + 1)).size();
            k += 2;
        } else {
            count = widths.at(k + 1).toLongLong() + 1;
            k += 3;
        }
    }
    return count;
}

// The object number of the font's character map, if the PDF holds the font (by its name, as
// Qt's writer names a Type 0 font of one family) once, with as many glyphs as characters.
std::optional<int> unicodeMapObject(const PdfStructure& pdf, const QByteArray& baseFont,
                                    qsizetype characters) {
    QList<PdfDictionary> fonts;
    for (auto object = pdf.objects().cbegin(); object != pdf.objects().cend(); ++object) {
        const PdfDictionary font = pdf.dictionary(object.key());
        if (font.value("Type") == "/Font" && font.value("Subtype") == "/Type0" &&
            font.value("BaseFont") == '/' + baseFont && font.value("Encoding") == "/Identity-H")
            fonts.append(font);
    }
    if (fonts.size() != 1 || !fonts.constFirst().contains("ToUnicode"))
        return std::nullopt;
    const QList<QByteArray> descendants =
        PdfStructure::arrayItems(fonts.constFirst().value("DescendantFonts"));
    if (descendants.size() != 1 ||
        glyphCount(pdf.dictionary(PdfStructure::referenced(descendants.constFirst()))) !=
            characters + 1)
        return std::nullopt;
    return PdfStructure::referenced(fonts.constFirst().value("ToUnicode"));
}

QByteArray tableOffset(qsizetype offset) {
    return QByteArray::number(offset).rightJustified(10, '0');
}

} // namespace

QByteArray withUnicodeMap(const QByteArray& pdf, const QByteArray& baseFont,
                          const QList<char32_t>& firstDrawn) {
    const PdfStructure structure(pdf);
    const std::optional<int> number = unicodeMapObject(structure, baseFont, firstDrawn.size());
    if (!number)
        return pdf;
    const QByteArray cmap = toUnicodeCMap(firstDrawn);
    const QByteArray generation = QByteArray::number(structure.objects().value(*number).generation);
    QByteArray updated = pdf;
    if (!updated.endsWith('\n'))
        updated += '\n';
    const qsizetype objectAt = updated.size();
    updated += QByteArray::number(*number) + ' ' + generation + " obj\n<< /Length " +
               QByteArray::number(cmap.size()) + " >>\nstream\n" + cmap + "endstream\nendobj\n";
    const qsizetype tableAt = updated.size();
    updated += "xref\n0 1\n0000000000 65535 f \n" + QByteArray::number(*number) + " 1\n" +
               tableOffset(objectAt) + ' ' + generation.rightJustified(5, '0') + " n \ntrailer\n<<";
    const PdfDictionary& trailer = structure.trailer();
    for (auto entry = trailer.cbegin(); entry != trailer.cend(); ++entry) {
        if (entry.key() != "Prev")
            updated += " /" + entry.key() + ' ' + entry.value();
    }
    return updated + " /Prev " + QByteArray::number(structure.lastTableOffset()) +
           " >>\nstartxref\n" + QByteArray::number(tableAt) + "\n%%EOF\n";
}
