#include "modproductinfo.h"

QString HomePageAddress() {
    // The maker has no site of its own; a host under a reserved example domain never belongs to a
    // stranger.
    const QString webHost = QStringLiteral("scarabo.example.com");
    return QStringLiteral("http://") + webHost + QStringLiteral("/main");
}
