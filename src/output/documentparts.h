#pragma once

#include "core/glyphrow.h"
#include "output/documentoptions.h"

#include <QByteArray>
#include <QHash>
#include <QImage>
#include <QList>
#include <QString>
#include <stop_token>

// The measures every format shares, so that the formats look alike: lengths in millimetres, font
// sizes in points, all in proportion to the glyph.
struct CardMeasures {
    explicit CardMeasures(const DocumentOptions& options);

    double glyph; // a glyph's square
    double gap;   // between glyphs, and between the parts of a card
    double inset; // from a cartouche's frame to the glyphs
    double bar;   // the cartouche's bar at the end of a line
    double frame; // the width of its line
    double lettersPoints;
    double unicodePoints;
    double englishPoints;
    bool cartouche;

    // How many glyphs a line of the given width takes (at least one).
    qsizetype glyphsPerLine(double widthMillimetres) const;
};

// The font family of the Unicode row: the bundled one, then what else may show the script.
inline constexpr const char* hieroglyphFamily = "Aegyptus";

// A row's glyphs in lines that fit a text of the given width.
QList<QList<RowGlyph>> glyphLines(const GlyphRow& row, const CardMeasures& measures,
                                  double widthMillimetres);

// The width of a saved document's text: the page less its margins.
double documentTextWidth();

// The glyph pictures of one document: the twice-size ones, enlarged where the glyph is so large
// that they would fall below 192 dpi; each read once.
class DocumentPictures {
public:
    DocumentPictures(const DocumentOptions& options, std::stop_token stop);

    // Throws RuntimeError 481, naming the picture, when it cannot be read, and 18 once a stop is
    // requested.
    const QImage& image(const QString& path);
    const QByteArray& png(const QString& path);

private:
    int m_minimumPixels;
    std::stop_token m_stop;
    QHash<QString, QImage> m_images;
    QHash<QString, QByteArray> m_pngs;
};

// RuntimeError 18 (user interrupt) once a stop is requested.
void throwIfStopped(const std::stop_token& stop);

// Each format as the bytes of its file.
QByteArray pdfDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                       const std::stop_token& stop = {});
QByteArray odtDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                       const std::stop_token& stop);
QByteArray docxDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                        const std::stop_token& stop);
QByteArray htmlDocument(const QList<GlyphRow>& rows, const DocumentOptions& options,
                        const std::stop_token& stop);
