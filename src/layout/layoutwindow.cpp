#include "layoutwindow.h"

RuntimeError objectNotSetError() {
    return RuntimeError(91, QStringLiteral("Object variable or With block variable not set"));
}
