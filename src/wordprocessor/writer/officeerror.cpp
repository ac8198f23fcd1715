#include "wordprocessor/writer/officeerror.h"

#include "wordprocessor/api/wordprocessor.h"
#include "wordprocessor/writer/unostring.h"

#include <com/sun/star/lang/DisposedException.hpp>
#include <cppuhelper/exc_hlp.hxx>

RuntimeError officeError(const css::uno::Exception& error, const AbortSwitch& abortSwitch) {
    if (auto aborted = abortSwitch.abortError())
        return *std::move(aborted);
    const css::uno::Any caught = cppu::getCaughtException();
    const QString detail =
        error.Message.isEmpty() ? toQString(caught.getValueTypeName()) : toQString(error.Message);
    // A disposed object or bridge means the office has gone away (ended, crashed or closed it).
    if (caught.has<css::lang::DisposedException>())
        return RuntimeError(ErrorNumber::ServerUnavailable, detail);
    return RuntimeError(ErrorNumber::AutomationError, detail);
}
