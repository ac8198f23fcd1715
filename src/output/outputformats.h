#pragma once

#include <QList>
#include <QString>
#include <QStringList>

// A type of file the row is written as.
struct OutputFormat {
    enum class Kind {
        Picture,  // one row: --transparent, --letters (off unless asked)
        Document, // a card a name: --size, --cartouche, --letters (on unless declined)
    };
    QStringList suffixes; // lower case, without the dot; a new file takes the first
    QString name;         // "PDF document", for the file dialogs' filters
    Kind kind;

    const QString& suffix() const { return suffixes.constFirst(); }
    // "Web page (*.html *.htm)"
    QString filter() const;
};

// Every type the program writes: one table that the command line, the file dialogs, --help and the
// manual page read.
namespace OutputFormats {

// The glyph sizes of a document, in millimetres: smaller glyphs cannot be read, larger ones do not
// fit a page.
inline constexpr double SmallestGlyph = 3.0;
inline constexpr double LargestGlyph = 100.0;
inline constexpr double DefaultGlyph = 12.7;

const QList<OutputFormat>& all();
QList<OutputFormat> ofKind(OutputFormat::Kind kind);

// The type of path by its suffix, in any case; null for another suffix.
const OutputFormat* of(const QString& path);
bool isOfKind(const QString& path, OutputFormat::Kind kind);

// Whether a glyph size is in range (never for NaN).
bool isGlyphSize(double millimetres);

// The suffixes as a person reads them: ".pdf, .odt, .docx, .html, .png, .svg".
QString suffixesText();

} // namespace OutputFormats
