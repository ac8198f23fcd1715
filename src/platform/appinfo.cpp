#include "appinfo.h"

#include <QCoreApplication>
#include <QDir>

namespace {
QString& storedTitle() {
    static QString title;
    return title;
}
} // namespace

namespace AppInfo {

QString applicationFolder() {
    return QDir::toNativeSeparators(QCoreApplication::applicationDirPath());
}

QString dataPath(const QString& relativePath) {
    // Plain concatenation, as every data path of the program is built.
    return applicationFolder() + QDir::separator() + QDir::toNativeSeparators(relativePath);
}

QString title() {
    return storedTitle();
}

void setTitle(const QString& title) {
    storedTitle() = title;
}

} // namespace AppInfo
