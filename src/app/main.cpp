#include "appinfo.h"
#include "errorreport.h"
#include "frmmain.h"
#include "modmain.h"
#include "savedocument.h"
#include "savepicture.h"
#include "versioninfo.h"
#include "wordprocessor.h"

#include <cstdlib>
#include <QApplication>
#include <QIcon>

namespace {

// The running program's context: its own folder, the title from the version record, message boxes,
// and the word processor of the backend this executable links.
AppContext programContext() {
    return {AppInfo::applicationFolder(),
            VersionInfo::current().fileDescription,
            ErrorReport::showMessageBox,
            createWordProcessor,
            wordProcessorInfo,
            {},
            SavePicture::askWithDialogs,
            SaveDocument::askWithDialogs};
}

} // namespace

int main(int argc, char** argv) {
    QApplication app(argc, argv);
    QApplication::setApplicationName(VersionInfo::current().productName);
    QApplication::setOrganizationName(VersionInfo::current().companyName);
    QApplication::setApplicationVersion(QStringLiteral("%1.%2.%3")
                                            .arg(VersionInfo::current().major)
                                            .arg(VersionInfo::current().minor)
                                            .arg(VersionInfo::current().revision));
    QGuiApplication::setDesktopFileName(VersionInfo::current().applicationId);
    QApplication::setWindowIcon(modMain::ApplicationIcon());
    const AppContext context = programContext();
    modMain::InstallFatalHandler(context.title);
    modMain::LoadFonts(context.applicationFolder);

    const auto window = modMain::Main(context);
    if (!window)
        return EXIT_FAILURE;
    return QApplication::exec();
}
