#include "errorreport.h"

#include "appinfo.h"
#include "runtimeerror.h"

#include <exception>
#include <new>
#include <QMessageBox>
#include <utility>

namespace {

void showMessageBox(QWidget* parent, const QString& title, const QString& text) {
    QMessageBox::critical(parent, title, text, QMessageBox::Ok);
}

ErrorReport::Presenter& presenter() {
    static ErrorReport::Presenter current = showMessageBox;
    return current;
}

} // namespace

namespace ErrorReport {

void setPresenter(Presenter newPresenter) {
    presenter() = newPresenter ? std::move(newPresenter) : Presenter(showMessageBox);
}

void show(QWidget* parent, const QString& text) {
    presenter()(parent, AppInfo::title(), text);
}

bool run(QWidget* parent, const std::function<void()>& command) {
    try {
        command();
        return true;
    } catch (const RuntimeError& error) {
        show(parent, error.message());
    } catch (const std::bad_alloc&) {
        show(parent, RuntimeError(ErrorNumber::OutOfMemory).message());
    } catch (const std::exception& error) {
        // From a library, or a thread that cannot start: a fault of the program, never its end.
        show(parent, RuntimeError(ErrorNumber::InternalError, QString::fromLocal8Bit(error.what()))
                         .message());
    } catch (...) {
        show(parent, RuntimeError(ErrorNumber::InternalError).message());
    }
    return false;
}

} // namespace ErrorReport
