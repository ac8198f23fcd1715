#include "modmain.h"

#include "appinfo.h"
#include "errorreport.h"
#include "fatalcheck.h"
#include "frmmain.h"
#include "runtimeerror.h"

#include <cstdlib>
#include <QDir>
#include <QIcon>
#include <QMessageBox>

namespace modMain {

QIcon ApplicationIcon() {
    QIcon icon;
    for (const int size : {16, 24, 32, 48, 64, 128, 256})
        icon.addFile(QStringLiteral(":/icons/hicolor/%1x%1/apps/scarabo.png").arg(size),
                     QSize(size, size));
    return icon;
}

void InstallFatalHandler() {
    FatalCheck::setHandler([](const QString& message) {
        QMessageBox::critical(nullptr, AppInfo::title(), message, QMessageBox::Ok);
        std::exit(EXIT_FAILURE);
    });
}

std::unique_ptr<frmMain> Main(const QString& applicationFolder) {
    auto window = std::make_unique<frmMain>(applicationFolder);
    try {
        window->Load();
    } catch (const RuntimeError& error) {
        const QString file = applicationFolder + QDir::separator() + QStringLiteral("Alphabet.dat");
        ErrorReport::show(nullptr,
                          QObject::tr("The alphabet file \"%1\" could not be loaded.\n\n%2")
                              .arg(file, error.message()));
        return nullptr;
    }
    window->show();
    return window;
}

} // namespace modMain
