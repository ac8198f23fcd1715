#pragma once

#include <functional>
#include <QString>

// The table class's "cannot go on" checks. The program's handler shows the message and ends the
// program; tests install one that records the message and unwinds. A handler must not return.
namespace FatalCheck {

using Handler = std::function<void(const QString& message)>;

void setHandler(Handler handler);
[[noreturn]] void stop(const QString& message);

} // namespace FatalCheck
