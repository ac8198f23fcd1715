#pragma once

#include "platform/runtimeerror.h"

// The number of the RuntimeError a call throws, or 0 when it throws none.
template <typename Call> int errorNumberOf(Call&& call) {
    try {
        call();
    } catch (const RuntimeError& error) {
        return error.number();
    }
    return 0;
}
