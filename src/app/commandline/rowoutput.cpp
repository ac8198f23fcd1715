#include "rowoutput.h"

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
    return u'.' + pictureSuffixes.join(QStringLiteral(", ."));
}

QString misuse(const QString& path, const OutputOptions& options, bool batch) {
    if (isPicturePath(path))
        return pictureMisuse(options, batch);
    return translated("%1: cannot tell what to write from its suffix (%2)")
        .arg(path, suffixesText());
}

QList<GlyphRow> write(const RowMaker& maker, const QStringList& texts, const QString& path,
                      const OutputOptions& options) {
    const GlyphRow row = maker.row(texts.value(0));
    saveRowPicture(row, path,
                   RowPictureOptions{options.transparent, options.letters.value_or(false), 1.0});
    return {row};
}

} // namespace RowOutput
