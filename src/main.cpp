#include "cli/commandlinerun.h"
#include "gui/errorreport.h"
#include "gui/frmmain.h"
#include "gui/modmain.h"
#include "gui/savedocument.h"
#include "gui/savepicture.h"
#include "platform/appinfo.h"
#include "platform/versioninfo.h"
#include "wordprocessor/api/wordprocessor.h"

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
    if (CommandLineRun::wanted(argc))
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
    return QApplication::exec();
}
