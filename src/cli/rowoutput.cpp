#include "cli/rowoutput.h"

#include "core/converter.h"
#include "output/document.h"
#include "output/outputformats.h"
#include "output/rowpicture.h"
#include "platform/outputfile.h"

#include <QCoreApplication>
#include <QMap>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("RowOutput", text);
}

// ".png": the suffixes of the types drawn in pixels.
QString pixelSuffixes() {
    QStringList suffixes;
    for (const OutputFormat& format : OutputFormats::all()) {
        if (format.pixels)
            suffixes.append(u'.' + format.suffix());
    }
    return suffixes.join(QStringLiteral(", "));
}

QString kindMisuse(OutputFormat::Kind kind, const OutputOptions& options, bool batch) {
    if (kind == OutputFormat::Kind::Document)
        return options.transparent ? translated("--transparent is for pictures, not documents")
                                   : QString();
    if (options.paper || options.page || !options.unicodeLine)
        return translated("--paper, --page and --no-unicode-line are for documents, not pictures");
    return batch ? translated("a picture holds one row; a batch of names needs a document")
                 : QString();
}

RowPictureOptions pictureOptions(const OutputOptions& options) {
    RowPictureOptions picture;
    picture.transparent = options.transparent;
    picture.letters = options.letters.value_or(false);
    picture.writing = options.writing;
    picture.signMillimetres = options.glyphMillimetres.value_or(OutputFormats::DefaultGlyph);
    picture.dpi = options.dpi.value_or(OutputFormats::DefaultDpi);
    return picture;
}

// A sheet or a card filled by its name unless a size is asked for.
DocumentOptions documentOptions(const OutputOptions& options, bool batch) {
    DocumentOptions document{options.glyphMillimetres.value_or(OutputFormats::DefaultGlyph),
                             options.letters.value_or(true), options.writing.cartouche,
                             options.writing};
    document.paper = options.paper.value_or(document.paper);
    document.page = options.page.value_or(batch ? PageKind::Cards : PageKind::Sheet);
    document.fitToPage = !options.glyphMillimetres;
    document.unicodeLine = options.unicodeLine;
    return document;
}

} // namespace

namespace RowOutput {

QString misuse(const QString& path, const OutputOptions& options, bool batch) {
    const OutputFormat* format = OutputFormats::of(path);
    if (!format)
        return translated("%1: cannot tell what to write from its suffix (%2)")
            .arg(path, OutputFormats::suffixesText());
    if (options.dpi && !format->pixels)
        return translated("--dpi is for pictures in pixels (%1)").arg(pixelSuffixes());
    return kindMisuse(format->kind, options, batch);
}

QString inputClash(const QString& path, const QStringList& inputs) {
    for (const QString& input : inputs) {
        if (OutputFile::sameFile(path, input))
            return translated("%1 is %2, which is read to write it; give another file")
                .arg(path, input);
    }
    return {};
}

QString sizeMisuse(const Converter& converter, const QStringList& texts, bool batch,
                   const QString& path, const OutputOptions& options) {
    if (!options.glyphMillimetres || !OutputFormats::isOfKind(path, OutputFormat::Kind::Document))
        return {};
    const DocumentRows rows(texts.size(), [&](qsizetype k) {
        return converter.row(texts.at(k), Converter::WholeText);
    });
    const double largest = largestFittingGlyph(rows, documentOptions(options, batch));
    if (largest >= *options.glyphMillimetres)
        return {};
    return translated("--size %1 is too large for the page; the largest that fits is %2 mm")
        .arg(*options.glyphMillimetres)
        .arg(largest);
}

QString leftOut(const GlyphRow& row) {
    const QString note = row.leftOutNote();
    return note.isEmpty() ? QString() : QStringLiteral("\"%1\": %2").arg(row.text(), note);
}

QStringList write(const Converter& converter, const QStringList& texts, bool batch,
                  const QString& path, const OutputOptions& options,
                  const DocumentProgress& progress) {
    if (!OutputFormats::isOfKind(path, OutputFormat::Kind::Document)) {
        const GlyphRow row = converter.row(texts.value(0));
        saveRowPicture(row, path, pictureOptions(options));
        const QString note = leftOut(row);
        return note.isEmpty() ? QStringList() : QStringList{note};
    }
    // By the text's place, as a writer may make a row more than once.
    QMap<qsizetype, QString> leftOuts;
    // A document holds the whole text of every name, not only what the window shows.
    const DocumentRows rows(texts.size(), [&](qsizetype index) {
        GlyphRow row = converter.row(texts.at(index), Converter::WholeText);
        if (const QString note = leftOut(row); !note.isEmpty())
            leftOuts.insert(index, note);
        return row;
    });
    saveDocument(rows, path, documentOptions(options, batch), {}, progress);
    return leftOuts.values();
}

} // namespace RowOutput
