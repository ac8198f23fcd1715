#pragma once

#include "core/glyphrow.h"
#include "output/document.h"
#include "output/documentoptions.h"
#include "output/writtenlayout.h"

#include <QByteArray>
#include <QHash>
#include <QList>
#include <QSizeF>
#include <QString>
#include <stop_token>

// The measures every format shares, so that the formats look alike: lengths in millimetres, font
// sizes in points, all in proportion to the glyph.
struct CardMeasures {
    explicit CardMeasures(const DocumentOptions& options);

    double glyph; // a quadrat: the height of a full-height sign
    double gap;   // between the parts of a card
    double unicodePoints;
    double englishPoints;
};

// The font family of the Unicode row: the bundled one, then what else may show the script.
inline constexpr const char* hieroglyphFamily = "Aegyptus";

// A row written for a document: its layout, and the quadrat's size that keeps it within the text
// (the glyph's size unless the layout would be wider, or a column taller, than the text).
struct DocumentWriting {
    DocumentWriting(const GlyphRow& row, const DocumentOptions& options, QSizeF textMillimetres);
    DocumentWriting(WrittenLayout written, double quadratMillimetres);

    WrittenLayout layout;
    double quadrat; // millimetres

    QSizeF millimetres() const { return layout.size * quadrat; }
};

// The document's way of writing: the letters and the cartouche as its options say, lines (or
// columns) lineQuadrats long, 0 for one line.
WritingOptions writtenAs(const DocumentOptions& options, qreal lineQuadrats);

// What a reader is told in place of a row's picture: its English text and each sign's label.
QString writingDescription(const GlyphRow& row);

// The size of a saved document's text: the page less its margins, in millimetres.
QSizeF documentTextSize(QPageSize::PageSizeId paper);

// The user units of the SVG pictures: a hundredth of a millimetre keeps every length exact enough.
inline constexpr double svgUnitsPerMillimetre = 100;

// The written rows of a document as pictures, each distinct picture kept once: as SVG, and, for
// readers that need one, as PNG.
class WritingPictures {
public:
    struct Placed {
        qsizetype number; // of the distinct picture, from 0
        bool first;       // the first time the picture is placed
        QSizeF millimetres;
    };

    WritingPictures(const DocumentOptions& options, bool withPng, std::stop_token stop);

    // The picture of the row written as the options say; an empty size for a row without signs.
    // Throws RuntimeError 481, naming the picture, when a sign's picture cannot be read, and 18
    // once a stop is requested.
    Placed place(const GlyphRow& row);
    // The picture of a row written as its page decides: a sheet's or a card's.
    Placed place(const DocumentWriting& writing);
    qsizetype count() const { return m_svgs.size(); }
    const QByteArray& svg(qsizetype number) const { return m_svgs.at(number); }
    const QByteArray& png(qsizetype number) const { return m_pngs.at(number); }

private:
    DocumentOptions m_options;
    bool m_withPng;
    std::stop_token m_stop;
    QHash<QByteArray, qsizetype> m_numbers; // an SVG's number
    QList<QByteArray> m_svgs;
    QList<QByteArray> m_pngs;
};

// RuntimeError 18 (user interrupt) once a stop is requested.
void throwIfStopped(const std::stop_token& stop);

// A file of a zip package: the ODT's and the DOCX's parts.
struct ZipMember {
    QString name;
    QByteArray bytes;
    bool stored = false; // unpacked
};

// The members zipped in order. Throws RuntimeError 51 when the zip library fails.
QByteArray zipped(const QList<ZipMember>& members);

// Each format as the bytes of its file.
QByteArray pdfDocument(const DocumentRows& rows, const DocumentOptions& options,
                       const std::stop_token& stop = {});
QByteArray odtDocument(const DocumentRows& rows, const DocumentOptions& options,
                       const std::stop_token& stop);
QByteArray docxDocument(const DocumentRows& rows, const DocumentOptions& options,
                        const std::stop_token& stop);
QByteArray htmlDocument(const DocumentRows& rows, const DocumentOptions& options,
                        const std::stop_token& stop);
