#include "output/glyphpicture.h"

#include "core/alphabet.h"
#include "platform/runtimeerror.h"

#include <QBuffer>
#include <QImageWriter>

QImage glyphPictureFor(const QString& path, qreal scale) {
    if (path.isEmpty())
        return {};
    if (const QString sharpPath = Alphabet::sharpPicturePath(path);
        scale > 1.0 && !sharpPath.isEmpty()) {
        QImage sharp(sharpPath);
        if (!sharp.isNull()) {
            sharp.setDevicePixelRatio(2.0);
            return sharp;
        }
    }
    return QImage(path);
}

QByteArray pngData(const QImage& image) {
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    QImageWriter writer(&buffer, "png");
    if (!writer.write(image))
        throw RuntimeError(ErrorNumber::InternalError, writer.errorString());
    return png;
}
