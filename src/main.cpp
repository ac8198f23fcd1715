#include "cli/commandlinerun.h"
#include "gui/displayguard.h"
#include "gui/errorreport.h"
#include "gui/frmmain.h"
#include "gui/modmain.h"
#include "gui/savedocument.h"
#include "gui/savepicture.h"
#include "platform/appinfo.h"
#include "platform/versioninfo.h"
#include "wordprocessor/api/wordprocessor.h"

#include <cstdlib>
#include <memory>
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

// main's arguments before there is an application object to read them.
QStringList argumentsOf(int argc, char** argv) {
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments.append(QString::fromLocal8Bit(argv[i]));
    return arguments;
}

// The window's application object; without a display the program ends here (DisplayGuard).
std::unique_ptr<QApplication> windowApplication(int& argc, char** argv) {
    const DisplayGuard guard;
    return std::make_unique<QApplication>(argc, argv);
}

} // namespace

int main(int argc, char** argv) {
    const std::optional<QString> windowText = CommandLineRun::windowText(argumentsOf(argc, argv));
    if (!windowText)
        return CommandLineRun::run(argc, argv);
    const std::unique_ptr<QApplication> app = windowApplication(argc, argv);
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
