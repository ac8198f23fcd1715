#include "gui/displayguard.h"

#include <cstdio>
#include <cstdlib>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <utility>

namespace {

QStringList heldBack;

void onStartMessage(QtMsgType type, const QMessageLogContext&, const QString& message) {
    if (type != QtFatalMsg) {
        heldBack.append(message);
        return;
    }
    std::fputs(QCoreApplication::translate("DisplayGuard",
                                           "scarabo: no display was found to open the window on "
                                           "(give arguments to use the command line: scarabo "
                                           "--help)\n")
                   .toLocal8Bit()
                   .constData(),
               stderr);
    std::_Exit(EXIT_FAILURE);
}

} // namespace

DisplayGuard::DisplayGuard()
    : m_previous(qInstallMessageHandler(onStartMessage)) {}

DisplayGuard::~DisplayGuard() {
    qInstallMessageHandler(m_previous);
    for (const QString& message : std::exchange(heldBack, {}))
        qWarning("%s", qPrintable(message));
}
