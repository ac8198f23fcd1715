#include "gui/about/helpcontents.h"

#include "gui/about/modbrowseto.h"
#include "platform/appinfo.h"

QString HelpContentsPath(const QString& applicationFolder) {
    return AppInfo::dataPath(applicationFolder, QStringLiteral("Help/index.html"));
}

void ShowHelpContents(const QString& applicationFolder) {
    BrowseTo(HelpContentsPath(applicationFolder));
}
