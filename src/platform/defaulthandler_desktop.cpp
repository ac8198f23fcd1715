#include "platform/defaulthandler.h"

#include <QCoreApplication>
#include <QDesktopServices>
#include <QProcess>
#include <QStandardPaths>

namespace {

// xdg-open says by its exit status whether the target was opened; it is watched for that. Should
// the program end first, it ends the waiting xdg-open only: the browser it started runs on.
bool openWithXdgOpen([[maybe_unused]] const QUrl& url,
                     [[maybe_unused]] const std::function<void()>& onFailure) {
#if defined(Q_OS_UNIX) && !defined(Q_OS_DARWIN)
    const QString xdgOpen = QStandardPaths::findExecutable(QStringLiteral("xdg-open"));
    if (xdgOpen.isEmpty())
        return false;
    auto* launcher = new QProcess(QCoreApplication::instance());
    launcher->setProgram(xdgOpen);
    launcher->setArguments({QString::fromLatin1(url.toEncoded())});
    launcher->setStandardInputFile(QProcess::nullDevice());
    launcher->setStandardOutputFile(QProcess::nullDevice());
    QObject::connect(launcher, &QProcess::finished, launcher,
                     [launcher, onFailure](int status, QProcess::ExitStatus how) {
                         if ((status != 0 || how != QProcess::NormalExit) && onFailure)
                             onFailure();
                         launcher->deleteLater();
                     });
    QObject::connect(launcher, &QProcess::errorOccurred, launcher,
                     [launcher, onFailure](QProcess::ProcessError error) {
                         if (error != QProcess::FailedToStart)
                             return;
                         if (onFailure)
                             onFailure();
                         launcher->deleteLater();
                     });
    launcher->start();
    return true;
#else
    return false;
#endif
}

} // namespace

namespace DefaultHandler {

// Platform plugins without desktop services of their own (xcb without a desktop, offscreen) hand
// the URL to xdg-open too, but never say whether it opened anything.
void open(const QString& target, const std::function<void()>& onFailure) {
    const QUrl url = urlFor(target);
    if (!openWithXdgOpen(url, onFailure) && !QDesktopServices::openUrl(url) && onFailure)
        onFailure();
}

} // namespace DefaultHandler
