#include "appinfo.h"
#include "frmmain.h"
#include "modmain.h"
#include "versioninfo.h"

#include <cstdlib>
#include <QApplication>
#include <QIcon>

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(VersionInfo::current().productName);
    QApplication::setOrganizationName(VersionInfo::current().companyName);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VersionInfo::current().major)
                                            .arg(VersionInfo::current().minor)
                                            .arg(VersionInfo::current().revision));
    QGuiApplication::setDesktopFileName(VersionInfo::current().applicationId);
    AppInfo::setTitle(VersionInfo::current().fileDescription);
    QApplication::setWindowIcon(modMain::ApplicationIcon());
    modMain::InstallFatalHandler();

    const auto window = modMain::Main(AppInfo::applicationFolder());
    if (!window)
        return EXIT_FAILURE;
    return QApplication::exec();
}
