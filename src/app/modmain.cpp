#include "modmain.h"

#include "errorreport.h"
#include "fatalcheck.h"
#include "frmmain.h"
#include "runtimeerror.h"

#include <cstdlib>
#include <QDir>
#include <QFontDatabase>
#include <QIcon>
#include <QMessageBox>

namespace modMain {

QIcon ApplicationIcon() {
    QIcon icon;
    const QDir sizes(QStringLiteral(":/icons/hicolor"));
    for (const QString& size : sizes.entryList(QDir::Dirs))
        icon.addFile(sizes.filePath(size + QStringLiteral("/apps/scarabo.png")));
    return icon;
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

void InstallFatalHandler(const QString& title) {
    FatalCheck::setHandler([title](const QString& message) {
        QMessageBox::critical(nullptr, title, message, QMessageBox::Ok);
        std::exit(EXIT_FAILURE);
    });
}

std::unique_ptr<frmMain> Main(const AppContext& context) {
    auto window = std::make_unique<frmMain>(context);
    try {
        window->Load();
    } catch (const RuntimeError& error) {
        const QString file =
            context.applicationFolder + QDir::separator() + QStringLiteral("Alphabet.dat");
        ErrorReport::show(context, nullptr,
                          QObject::tr("The alphabet file \"%1\" could not be loaded.\n\n%2")
                              .arg(file, error.message()));
        return nullptr;
    }
    window->show();
    return window;
}

} // namespace modMain
