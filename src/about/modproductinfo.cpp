#include "modproductinfo.h"

#include "versioninfo.h"

QString HomePageAddress() {
    return QStringLiteral("http://") + VersionInfo::current().webHost + QStringLiteral("/main");
}
