#include "platform/defaulthandler.h"

namespace DefaultHandler {

QUrl urlFor(const QString& target) {
    // A one-letter scheme is a Windows drive ("C:\..."), so only longer ones mark an address.
    const QUrl asAddress(target, QUrl::TolerantMode);
    if (asAddress.scheme().size() > 1)
        return asAddress;
    QString path = target;
#ifndef Q_OS_WIN
    // A file URL takes what follows two leading slashes for a host, as in "//Help/index.html" of a
    // program in the root folder; on Unix, extra leading slashes name the same file as one.
    while (path.startsWith(QStringLiteral("//")))
        path.remove(0, 1);
#endif
    return QUrl::fromLocalFile(path);
}

} // namespace DefaultHandler
