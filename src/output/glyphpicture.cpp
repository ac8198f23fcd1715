#include "output/glyphpicture.h"

#include "core/alphabet.h"
#include "output/glyphpicturefile.h"
#include "platform/runtimeerror.h"

#include <QBuffer>
#include <QImageWriter>

namespace {

GlyphPictureFile glyphPictureFileFor(const QString& path, qreal scale) {
    if (path.isEmpty())
        return {{}, QStringLiteral("no picture")};
    if (const QString sharpPath = Alphabet::sharpPicturePath(path);
        scale > 1.0 && !sharpPath.isEmpty()) {
        GlyphPictureFile sharp = readGlyphPictureFile(sharpPath);
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

QByteArray pngData(const QImage& image, bool fast) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (fast)
        writer.setQuality(80); // Qt's PNG writer takes it as zlib's fastest level
    if (!writer.write(image))
        throw RuntimeError(ErrorNumber::InternalError, writer.errorString());
    return png;
}
