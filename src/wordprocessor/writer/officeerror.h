#pragma once

#include "platform/runtimeerror.h"
#include "wordprocessor/writer/abortswitch.h"

#include <com/sun/star/uno/Exception.hpp>

// The run-time error for a UNO exception that a call into the office raised while `abortSwitch`
// watched it. Call only from inside a catch block: it reads the exception's full type from there.
RuntimeError officeError(const css::uno::Exception& error, const AbortSwitch& abortSwitch);

// Runs one piece of work on the office under the switch's answer timeout and turns its UNO
// exceptions into run-time errors.
template <class Work> auto callOffice(AbortSwitch& abortSwitch, Work work) -> decltype(work()) {
    abortSwitch.throwIfAborted();
    try {
        return abortSwitch.awaitAnswer(work);
    } catch (const css::uno::Exception& error) {
        throw officeError(error, abortSwitch);
    }
}
