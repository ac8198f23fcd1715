#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A type of file the row is written as. Every type takes --size and the options of how the signs
// are written (--arrange, --direction, --vertical, --cartouche, --determinative).
struct OutputFormat {
    enum class Kind {
        Picture,  // one row: --transparent, --letters (off unless asked), --dpi if it has pixels
        Document, // a card a name: --letters (on unless declined)
    };
    QStringList suffixes; // lower case, without the dot; a new file takes the first
    QString name;         // "PDF document", for the file dialogs' filters
    Kind kind;
    bool pixels = false; // drawn in pixels, at a resolution

    const QString& suffix() const { return suffixes.constFirst(); }
    // "Web page (*.html *.htm)"
    QString filter() const;
};

// Every type the program writes: one table that the command line, the file dialogs, --help and the
// manual page read.
namespace OutputFormats {

// The sizes of a full-height sign, in millimetres: smaller glyphs cannot be read, larger ones do
// not fit a page.
inline constexpr double SmallestGlyph = 3.0;
inline constexpr double LargestGlyph = 100.0;
inline constexpr double DefaultGlyph = 12.7;
// The resolutions of a picture in pixels, in dots per inch: at the default a sign of the default
// size is 48 pixels tall, as on a screen.
inline constexpr int SmallestDpi = 72;
inline constexpr int LargestDpi = 1200;
inline constexpr int DefaultDpi = 96;

const QList<OutputFormat>& all();
QList<OutputFormat> ofKind(OutputFormat::Kind kind);

// The type of path by its suffix, in any case; null for another suffix.
const OutputFormat* of(const QString& path);
bool isOfKind(const QString& path, OutputFormat::Kind kind);

// Whether a glyph size is in range (never for NaN).
bool isGlyphSize(double millimetres);
bool isResolution(int dpi);

// The suffixes as a person reads them: ".pdf, .odt, .docx, .html, .png, .svg".
QString suffixesText();

} // namespace OutputFormats
