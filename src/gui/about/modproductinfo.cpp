#include "gui/about/modproductinfo.h"

#include "platform/versioninfo.h"

QString HomePageAddress() {
    return QStringLiteral("http://") + VersionInfo::current().webHost + QStringLiteral("/main");
}
