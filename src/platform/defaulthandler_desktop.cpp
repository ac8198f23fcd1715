#include "platform/defaulthandler.h"

#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace {

// Platform plugins without desktop services (offscreen, minimal) still run on a desktop that has
// xdg-open; hand it the URL the way Qt's own Unix services do.
void openWithXdgOpen([[maybe_unused]] const QUrl& url) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (!xdgOpen.isEmpty())
        QProcess::startDetached(xdgOpen, {QString::fromLatin1(url.toEncoded())});
#endif
}

} // namespace

namespace DefaultHandler {

void open(const QString& target) {
    const QUrl url = urlFor(target);
    if (!QDesktopServices::openUrl(url))
        openWithXdgOpen(url);
}

} // namespace DefaultHandler
