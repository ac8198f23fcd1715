#include "platform/appinfo.h"

#include <QCoreApplication>
#include <QDir>

namespace AppInfo {

QString applicationFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString dataPath(const QString& folder, const QString& relativePath) {
    return folder + QDir::separator() + QDir::toNativeSeparators(relativePath);
}

} // namespace AppInfo
