#include "output/pdfunicodemap.h"

#include <QRegularExpression>
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

// Where object number begins ("N 0 obj") and ends (after "endobj"), or nothing.
std::pair<qsizetype, qsizetype> objectSpan(const QByteArray& pdf, const QByteArray& number) {
    const qsizetype begin = pdf.indexOf('\n' + number + " 0 obj\n");
    const qsizetype end = begin < 0 ? -1 : pdf.indexOf("endobj", begin);
    return begin < 0 || end < 0 ? std::pair<qsizetype, qsizetype>{-1, -1}
                                : std::pair{begin + 1, end + 6};
}

// The number of glyphs of a CID font from its widths: "first [w w ...]" and "first last w" runs.
qsizetype glyphCount(const QByteArray& pdf, const QByteArray& cidFont) {
    const auto [begin, end] = objectSpan(pdf, cidFont);
    if (begin < 0)
        return -1;
    const QString object = QString::fromLatin1(pdf.mid(begin, end - begin));
    const qsizetype widths = object.indexOf(QStringLiteral("/W ["));
    if (widths < 0)
        return -1;
    static const QRegularExpression run(
        QStringLiteral(R"((\d+)\s*\[([^\]]*)\]|(\d+)\s+(\d+)\s+-?[\d.]+)"));
    qsizetype count = 0;
    auto match =
        run.globalMatch(object.mid(widths + 4, object.indexOf(u"\n]", widths) - widths - 4));
    while (match.hasNext()) {
        const QRegularExpressionMatch each = match.next();
        count = each.hasCaptured(1) ? each.captured(1).toLongLong() +
                                          each.captured(2).split(u' ', Qt::SkipEmptyParts).size()
                                    : each.captured(4).toLongLong() + 1;
    }
    return count;
}

// Moves every offset of the cross-reference table behind from by delta, and the table's own.
QByteArray shiftedOffsets(QByteArray pdf, qsizetype from, qsizetype delta) {
    const qsizetype table = pdf.lastIndexOf("\nxref\n");
    const qsizetype trailer = pdf.indexOf("trailer", table);
    static const QRegularExpression entry(QStringLiteral(R"((\d{10}) (\d{5}) n)"));
    QString entries = QString::fromLatin1(pdf.mid(table, trailer - table));
    auto match = entry.globalMatch(entries);
    while (match.hasNext()) {
        const QRegularExpressionMatch each = match.next();
        const qsizetype offset = each.captured(1).toLongLong();
        if (offset > from)
            entries.replace(each.capturedStart(1), 10,
                            QString::number(offset + delta).rightJustified(10, u'0'));
    }
    pdf.replace(table, trailer - table, entries.toLatin1());
    const qsizetype startxref = pdf.lastIndexOf("startxref\n") + 10;
    const qsizetype numberEnd = pdf.indexOf('\n', startxref);
    const qsizetype xrefAt = pdf.mid(startxref, numberEnd - startxref).trimmed().toLongLong();
    pdf.replace(startxref, numberEnd - startxref, QByteArray::number(xrefAt + delta) + ' ');
    return pdf;
}

} // namespace

QByteArray withUnicodeMap(const QByteArray& pdf, const QByteArray& baseFont,
                          const QList<char32_t>& firstDrawn) {
    const QRegularExpression type0(
        QStringLiteral(
            R"(/BaseFont /%1\s*/Encoding /Identity-H\s*/DescendantFonts \[(\d+) 0 R\]\s*/ToUnicode (\d+) 0 R)")
            .arg(QString::fromLatin1(baseFont)));
    const QRegularExpressionMatch font = type0.match(QString::fromLatin1(pdf));
    if (!font.hasMatch() || glyphCount(pdf, font.captured(1).toLatin1()) != firstDrawn.size() + 1)
        return pdf;
    const QByteArray number = font.captured(2).toLatin1();
    const auto [begin, end] = objectSpan(pdf, number);
    const QByteArray cmap = toUnicodeCMap(firstDrawn);
    const QByteArray object = number + " 0 obj\n<< /Length " + QByteArray::number(cmap.size()) +
                              " >>\nstream\n" + cmap + "endstream\nendobj";
    QByteArray patched = pdf;
    patched.replace(begin, end - begin, object);
    return shiftedOffsets(patched, begin, object.size() - (end - begin));
}
