#include "rowpicture.h"

#include "glyphpicturefile.h"
#include "rowlayout.h"
#include "runtimeerror.h"
#include "savefile.h"

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

namespace {

GlyphPictureFile glyphPictureFileFor(const QString& path, qreal scale) {
    if (path.isEmpty())
        return {{}, QStringLiteral("no picture")};
    if (scale > 1.0 && path.endsWith(QStringLiteral(".gif"))) {
        GlyphPictureFile sharp = readGlyphPictureFile(path.chopped(4) + QStringLiteral("@2x.gif"));
        if (!sharp.image.isNull()) {
            sharp.image.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return readGlyphPictureFile(path);
}

} // namespace

QImage glyphPictureFor(const QString& path, qreal scale) {
    return glyphPictureFileFor(path, scale).image;
}

QImage checkedGlyphPicture(const QString& path, qreal scale) {
    const GlyphPictureFile picture = glyphPictureFileFor(path, scale);
    if (picture.image.isNull())
        throw RuntimeError(ErrorNumber::InvalidPicture,
                           QStringLiteral("%1 (%2)").arg(path, picture.refusal));
    return picture.image;
}

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
