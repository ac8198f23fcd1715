#include "appinfo.h"
#include "commandlinerun.h"
#include "errorreport.h"
#include "frmmain.h"
#include "modmain.h"
#include "savedocument.h"
#include "savepicture.h"
#include "versioninfo.h"
#include "wordprocessor.h"

#include <cstdlib>
#include <optional>
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
    const std::optional<QString> windowText = CommandLineRun::windowText(argc, argv);
    if (!windowText)
        return CommandLineRun::run(argc, argv);
    QApplication app(argc, argv);
    modMain::DescribeProgram();
    QApplication::setWindowIcon(modMain::ApplicationIcon());
    const AppContext context = programContext();
    modMain::InstallFatalHandler(context.title);
    modMain::LoadFonts(context.applicationFolder);

    const auto window = modMain::Main(context);
    if (!window)
        return EXIT_FAILURE;
    if (!windowText->isEmpty())
        window->showConverted(*windowText);
    return QApplication::exec();
}
