#pragma once

#include <functional>
#include <QString>
#include <QUrl>

// Opening a web address or a file with whatever the user's desktop opens it with.
namespace DefaultHandler {

// Starts the user's default handler for target (a web address or a full file path) and returns at
// once. Nothing is reported: a target that cannot be opened leaves the program as it was, unless
// onFailure is given; it runs on this thread, at once or later from the event loop, when no handler
// can be started or the handler says it could not open the target.
void open(const QString& target, const std::function<void()>& onFailure = {});

// How a target reaches a URL-based desktop: a web address as written, anything else as a file.
QUrl urlFor(const QString& target);

} // namespace DefaultHandler
