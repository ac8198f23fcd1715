#include "helpcontents.h"

#include "appinfo.h"
#include "modbrowseto.h"

QString HelpContentsPath() {
    return AppInfo::dataPath(QStringLiteral("Help/index.html"));
}

void ShowHelpContents() {
    BrowseTo(HelpContentsPath());
}
