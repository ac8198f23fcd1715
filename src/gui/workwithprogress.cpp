#include "gui/workwithprogress.h"

#include "platform/runtimeerror.h"

#include <atomic>
#include <chrono>
#include <exception>
#include <QCoreApplication>
#include <QEventLoop>
#include <QProgressDialog>
#include <QTimer>
#include <thread>

namespace {

constexpr std::chrono::milliseconds progressDelay{500};

void waitWithDialog(QEventLoop& loop, std::jthread& worker, QWidget* parent, const QString& title,
                    const QString& label) {
    QProgressDialog dialog(label, QCoreApplication::translate("runWithProgress", "Cancel"), 0, 0,
                           parent);
    dialog.setWindowTitle(title);
    dialog.setWindowModality(Qt::WindowModal);
    // Stays up after Cancel until the work has stopped.
    dialog.setAutoClose(false);
    dialog.setAutoReset(false);
    QObject::connect(&dialog, &QProgressDialog::canceled, &dialog, [&worker, &dialog] {
        dialog.setLabelText(QCoreApplication::translate("runWithProgress", "Cancelling..."));
        worker.request_stop();
    });
    dialog.show();
    loop.exec();
}

bool isUserInterrupt(const std::exception_ptr& failure) {
    try {
        std::rethrow_exception(failure);
    } catch (const RuntimeError& error) {
        return error.number() == static_cast<int>(ErrorNumber::UserInterrupt);
    } catch (...) {
        return false;
    }
}

} // namespace

void runWithProgress(QWidget* parent, const QString& title, const QString& label,
                     const std::function<void(const std::stop_token&)>& work) {
    QEventLoop loop;
    std::atomic_bool finished = false;
    std::exception_ptr failure;
    std::jthread worker([&](std::stop_token stop) {
        try {
            work(stop);
        } catch (...) {
            failure = std::current_exception();
        }
        finished = true;
        QMetaObject::invokeMethod(
            &loop, [&loop] { loop.quit(); }, Qt::QueuedConnection);
    });
    QTimer::singleShot(progressDelay, &loop, [&loop] { loop.quit(); });
    loop.exec(QEventLoop::ExcludeUserInputEvents);
    if (!finished)
        waitWithDialog(loop, worker, parent, title, label);
    // Still running only when the application quits, which ends every event loop.
    worker.request_stop();
    worker.join();
    if (failure && !isUserInterrupt(failure))
        std::rethrow_exception(failure);
}
