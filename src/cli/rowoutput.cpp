#include "cli/rowoutput.h"

#include "core/converter.h"
#include "output/document.h"
#include "output/outputformats.h"
#include "output/rowpicture.h"
#include "platform/outputfile.h"

#include <QCoreApplication>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("RowOutput", text);
}

QString pictureMisuse(const OutputOptions& options, bool batch) {
    if (batch)
        return translated("a picture holds one row; a batch of names needs a document");
    if (options.glyphMillimetres || options.cartouche)
        return translated("--size and --cartouche are for documents, not pictures");
    return {};
}

} // namespace

namespace RowOutput {

QString misuse(const QString& path, const OutputOptions& options, bool batch) {
    const OutputFormat* format = OutputFormats::of(path);
    if (!format)
        return translated("%1: cannot tell what to write from its suffix (%2)")
            .arg(path, OutputFormats::suffixesText());
    if (format->kind == OutputFormat::Kind::Picture)
        return pictureMisuse(options, batch);
    return options.transparent ? translated("--transparent is for pictures, not documents")
                               : QString();
}

QString inputClash(const QString& path, const QStringList& inputs) {
    for (const QString& input : inputs) {
        if (OutputFile::sameFile(path, input))
            return translated("%1 is %2, which is read to write it; give another file")
                .arg(path, input);
    }
    return {};
}

QList<GlyphRow> write(const Converter& converter, const QStringList& texts, const QString& path,
                      const OutputOptions& options) {
    if (OutputFormats::isOfKind(path, OutputFormat::Kind::Document)) {
        // A document holds the whole text of every name, not only what the window shows.
        QList<GlyphRow> rows;
        for (const QString& text : texts)
            rows.append(converter.row(text, Converter::WholeText));
        saveDocument(rows, path,
                     DocumentOptions{options.glyphMillimetres.value_or(OutputFormats::DefaultGlyph),
                                     options.letters.value_or(true), options.cartouche, {}});
        return rows;
    }
    const GlyphRow row = converter.row(texts.value(0));
    saveRowPicture(row, path,
                   RowPictureOptions{options.transparent, options.letters.value_or(false), 1.0, {}});
    return {row};
}

} // namespace RowOutput
