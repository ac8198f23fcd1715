#include "platform/programstart.h"

#include "platform/versioninfo.h"

#include <QDir>
#include <QFontDatabase>
#include <QGuiApplication>

namespace modMain {

void DescribeProgram() {
    const VersionInfo& version = VersionInfo::current();
    QGuiApplication::setApplicationName(version.productName);
    QGuiApplication::setOrganizationName(version.companyName);
    QGuiApplication::setApplicationVersion(
        QStringLiteral("%1.%2.%3").arg(version.major).arg(version.minor).arg(version.revision));
    QGuiApplication::setDesktopFileName(version.applicationId);
}

QStringList LoadFonts(const QString& applicationFolder) {
    const QDir fonts(applicationFolder + QDir::separator() + QStringLiteral("fonts"));
    QStringList families;
    for (const QString& file : fonts.entryList({QStringLiteral("*.ttf")}, QDir::Files)) {
        const int id = QFontDatabase::addApplicationFont(fonts.filePath(file));
        families += QFontDatabase::applicationFontFamilies(id);
    }
    return families;
}

} // namespace modMain
