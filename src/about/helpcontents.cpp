#include "helpcontents.h"

#include "appinfo.h"
#include "modbrowseto.h"

QString HelpContentsPath(const QString& applicationFolder) {
    return AppInfo::dataPath(applicationFolder, QStringLiteral("Help/index.html"));
}

void ShowHelpContents(const QString& applicationFolder) {
    BrowseTo(HelpContentsPath(applicationFolder));
}
