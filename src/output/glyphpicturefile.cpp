#include "output/glyphpicturefile.h"

#include <QDir>
#include <QFileInfo>
#include <QImageReader>

namespace {

// The folder a picture must stay inside, by its path as named.
QString picturesFolderOf(const QString& path) {
    QString folder = QFileInfo(path).path();
    for (QString up = folder; !up.isEmpty() && up != QFileInfo(up).path();
         up = QFileInfo(up).path()) {
        if (QFileInfo(up).fileName() == u"Images")
            return up;
    }
    return folder;
}

bool isInside(const QString& realPath, const QString& folder) {
    const QString realFolder = QFileInfo(folder).canonicalFilePath();
    return !realFolder.isEmpty() &&
           realPath.startsWith(realFolder.endsWith(u'/') ? realFolder : realFolder + u'/');
}

// Why the file at path may not be read, or nothing; its real path when it may.
QString refusalOf(const QString& path, QString& realPath) {
    if (QDir::fromNativeSeparators(path).split(u'/').contains(u".."))
        return QStringLiteral("a path through \"..\"");
    const QFileInfo file(path);
    realPath = file.canonicalFilePath();
    if (realPath.isEmpty())
        return QStringLiteral("not found");
    if (!isInside(realPath, picturesFolderOf(path)))
        return QStringLiteral("outside its pictures folder");
    if (!QFileInfo(realPath).isFile())
        return QStringLiteral("not a regular file");
    return {};
}

} // namespace

GlyphPictureFile readGlyphPictureFile(const QString& path) {
    QString realPath;
    if (const QString refusal = refusalOf(path, realPath); !refusal.isEmpty())
        return {{}, refusal};
    QImageReader reader(realPath);
    const QSize size = reader.size();
    if (!size.isValid())
        return {{}, QStringLiteral("not a picture that can be read")};
    if (qint64{size.width()} * size.height() > maxGlyphPixels)
        return {{},
                QStringLiteral("%1 x %2 pixels, more than a glyph may have (4096 x 4096)")
                    .arg(size.width())
                    .arg(size.height())};
    QImage image = reader.read();
    if (image.isNull())
        return {{}, reader.errorString()};
    return {image, {}};
}
