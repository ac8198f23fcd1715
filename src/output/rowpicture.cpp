#include "output/rowpicture.h"

#include "datfile/savefile.h"
#include "output/rowlayout.h"
#include "platform/runtimeerror.h"

#include <cmath>
#include <QFileInfo>
#include <QPainter>

namespace {

QSize pixelSize(QSizeF size, qreal scale) {
    return {static_cast<int>(std::ceil(size.width() * scale)),
            static_cast<int>(std::ceil(size.height() * scale))};
}

void paintRow(QPainter& painter, const RowLayout& layout, bool letters) {
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    for (const RowLayout::Glyph& placed : layout.glyphs)
        painter.drawImage(placed.box, placed.picture);
    if (!letters)
        return;
    painter.setFont(layout.lettersFont);
    painter.setPen(Qt::black);
    for (const RowLayout::Glyph& placed : layout.glyphs)
        painter.drawText(placed.lettersAt, placed.glyph->letters);
}

QByteArray pictureOf(const GlyphRow& row, const QString& path, const RowPictureOptions& options) {
    const QString suffix = QFileInfo(path).suffix().toLower();
    if (suffix == u"png")
        return rowPng(row, options);
    if (suffix == u"svg")
        return rowSvg(row, options);
    throw RuntimeError(
        ErrorNumber::InvalidProcedureCall,
        QStringLiteral("%1 (a picture is saved as PNG, .png, or SVG, .svg)").arg(path));
}

} // namespace

QImage rowImage(const GlyphRow& row, const RowPictureOptions& options) {
    if (row.glyphs().isEmpty())
        return {};
    const RowLayout layout = layOutRow(row, options);
    QImage image(pixelSize(layout.size, options.scale),
                 options.transparent ? QImage::Format_ARGB32_Premultiplied : QImage::Format_RGB32);
    image.fill(options.transparent ? Qt::transparent : Qt::white);
    QPainter painter(&image);
    painter.scale(options.scale, options.scale);
    paintRow(painter, layout, options.letters);
    return image;
}

QByteArray rowPng(const GlyphRow& row, const RowPictureOptions& options) {
    const QImage image = rowImage(row, options);
    return image.isNull() ? QByteArray() : pngData(image);
}

void saveRowPicture(const GlyphRow& row, const QString& path, const RowPictureOptions& options) {
    const QByteArray picture = pictureOf(row, path, options);
    if (picture.isEmpty())
        throw RuntimeError(ErrorNumber::InvalidProcedureCall,
                           QStringLiteral("%1 (the row has no glyphs to draw)").arg(path));
    saveFile(path, picture);
}
