#include "gui/errorreport.h"

#include "platform/runtimeerror.h"

#include <exception>
#include <new>
#include <QMessageBox>

namespace ErrorReport {

void showMessageBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

void show(const AppContext& context, QWidget* parent, const QString& text) {
    context.showMessage(parent, context.title, text);
}

bool run(const AppContext& context, QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const RuntimeError& error) {
        show(context, parent, error.message());
    } catch (const std::bad_alloc&) {
        show(context, parent, RuntimeError(ErrorNumber::OutOfMemory).message());
    } catch (const std::exception& error) {
        // From a library, or a thread that cannot start: a fault of the program, never its end.
        show(context, parent,
             RuntimeError(ErrorNumber::InternalError, QString::fromLocal8Bit(error.what()))
                 .message());
    } catch (...) {
        show(context, parent, RuntimeError(ErrorNumber::InternalError).message());
    }
    return false;
}

} // namespace ErrorReport
