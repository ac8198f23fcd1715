#include "gui/about/helpcontents.h"

#include "platform/appinfo.h"
#include "platform/defaulthandler.h"

QString HelpContentsPath(const QString& applicationFolder) {
    return AppInfo::dataPath(applicationFolder, QStringLiteral("Help/index.html"));
}

void ShowHelpContents(const QString& applicationFolder,
                      const std::function<void(const QString& page)>& cannotOpen) {
    const QString page = HelpContentsPath(applicationFolder);
    DefaultHandler::open(page, [page, cannotOpen] {
        if (cannotOpen)
            cannotOpen(page);
    });
}
