#include "defaulthandler.h"

namespace DefaultHandler {

QUrl urlFor(const QString& target) {
    // A one-letter scheme is a Windows drive ("C:\..."), so only longer ones mark an address.
    const QUrl asAddress(target, QUrl::TolerantMode);
    if (asAddress.scheme().size() > 1)
        return asAddress;
    return QUrl::fromLocalFile(target);
}

} // namespace DefaultHandler
