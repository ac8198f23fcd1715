#include "rowoutput.h"

#include "document.h"
#include "outputfile.h"
#include "rowmaker.h"
#include "rowpicture.h"

#include <QCoreApplication>
#include <QFileInfo>

namespace {

QString translated(const char* text) {
    return QCoreApplication::translate("RowOutput", text);
}

const QStringList pictureSuffixes{QStringLiteral("png"), QStringLiteral("svg")};

bool isPicturePath(const QString& path) {
    return pictureSuffixes.contains(QFileInfo(path).suffix(), Qt::CaseInsensitive);
}

const QStringList documentSuffixes{QStringLiteral("pdf"), QStringLiteral("odt"),
                                   QStringLiteral("docx"), QStringLiteral("html")};

QString pictureMisuse(const OutputOptions& options, bool batch) {
    if (batch)
        return translated("a picture holds one row; a batch of names needs a document");
    if (options.glyphMillimetres || options.cartouche)
        return translated("--size and --cartouche are for documents, not pictures");
    return {};
}

} // namespace

namespace RowOutput {

QString suffixesText() {
    return u'.' + (documentSuffixes + pictureSuffixes).join(QStringLiteral(", ."));
}

QString misuse(const QString& path, const OutputOptions& options, bool batch) {
    if (isPicturePath(path))
        return pictureMisuse(options, batch);
    if (isDocumentPath(path))
        return options.transparent ? translated("--transparent is for pictures, not documents")
                                   : QString();
    return translated("%1: cannot tell what to write from its suffix (%2)")
        .arg(path, suffixesText());
}

QString inputClash(const QString& path, const QStringList& inputs) {
    for (const QString& input : inputs) {
        if (OutputFile::sameFile(path, input))
            return translated("%1 is %2, which is read to write it; give another file")
                .arg(path, input);
    }
    return {};
}

QList<GlyphRow> write(const RowMaker& maker, const QStringList& texts, const QString& path,
                      const OutputOptions& options) {
    if (isDocumentPath(path)) {
        // A document holds the whole text of every name, not only what the window shows.
        QList<GlyphRow> rows;
        for (const QString& text : texts)
            rows.append(documentRow(maker.alphabet(), maker.index(), text, maker.imagesFolder()));
        saveDocument(
            rows, path,
            DocumentOptions{options.glyphMillimetres.value_or(DocumentOptions().glyphMillimetres),
                            options.letters.value_or(true), options.cartouche});
        return rows;
    }
    const GlyphRow row = maker.row(texts.value(0));
    saveRowPicture(row, path,
                   RowPictureOptions{options.transparent, options.letters.value_or(false), 1.0});
    return {row};
}

} // namespace RowOutput
