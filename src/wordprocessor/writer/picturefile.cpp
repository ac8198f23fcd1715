#include "wordprocessor/writer/picturefile.h"

#include "platform/runtimeerror.h"

#include <cmath>
#include <limits>
#include <QFile>
#include <QFileInfo>

QByteArray readPictureFile(const QString& path) {
    if (!QFileInfo::exists(path))
        throw RuntimeError(ErrorNumber::FileNotFound, path);
    QFile file(path);
    // The office takes the bytes as one sequence with a 32-bit length.
    if (file.size() > std::numeric_limits<qint32>::max())
        throw RuntimeError(ErrorNumber::Overflow, path);
    QByteArray bytes;
    if (file.open(QIODevice::ReadOnly))
        bytes = file.readAll();
    if (file.error() != QFileDevice::NoError) {
        throw RuntimeError(ErrorNumber::PathFileAccessError,
                           QStringLiteral("%1 (%2)").arg(path, file.errorString()));
    }
    return bytes;
}

QSize naturalSizeIn100thMm(QSize physical100thMm, QSize pixels) {
    if (!physical100thMm.isEmpty())
        return physical100thMm;
    constexpr double hundredthMmPerPixel = 2540.0 / 96.0;
    const auto convert = [](int count) {
        return static_cast<int>(std::lround(count * hundredthMmPerPixel));
    };
    return {convert(pixels.width()), convert(pixels.height())};
}
