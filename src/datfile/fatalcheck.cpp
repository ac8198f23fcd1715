#include "datfile/fatalcheck.h"

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <utility>

namespace {
void defaultHandler(const QString& message) {
    std::fputs(qPrintable(message + QLatin1Char('\n')), stderr);
    std::exit(EXIT_FAILURE);
}

FatalCheck::Handler& installedHandler() {
    static FatalCheck::Handler handler = defaultHandler;
    return handler;
}
} // namespace

namespace FatalCheck {

void setHandler(Handler handler) {
    installedHandler() = handler ? std::move(handler) : Handler(defaultHandler);
}

void stop(const QString& message) {
    installedHandler()(message);
    // A handler that returns would let the caller go on with a broken table.
    std::terminate();
}

} // namespace FatalCheck
